// The ring of typed characters: order, capacity, wrap-around and a writer
// and a reader on two threads.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "textwin/key_ring.h"

using namespace kbx;

namespace {

struct Ring : ::testing::Test {
    KeyRing ring = {{}, 0, -1, {}};
};

}  // namespace

TEST_F(Ring, UnitsComeOutInTheOrderTheyWentIn) {
    wchar_t unit = 0;
    EXPECT_FALSE(key_ring_take(ring, &unit));
    EXPECT_TRUE(key_ring_put(ring, L'a'));
    EXPECT_TRUE(key_ring_put(ring, L'b'));
    ASSERT_TRUE(key_ring_take(ring, &unit));
    EXPECT_EQ(unit, L'a');
    ASSERT_TRUE(key_ring_take(ring, &unit));
    EXPECT_EQ(unit, L'b');
    EXPECT_FALSE(key_ring_take(ring, &unit));
    EXPECT_EQ(ring.read_index, -1);
}

TEST_F(Ring, A257thUnitIsDroppedUntilOneIsTaken) {
    for (int i = 0; i < kKeyRingSize; ++i) ASSERT_TRUE(key_ring_put(ring, static_cast<wchar_t>(0x100 + i)));
    EXPECT_FALSE(key_ring_put(ring, L'x'));
    wchar_t unit = 0;
    ASSERT_TRUE(key_ring_take(ring, &unit));
    EXPECT_EQ(unit, 0x100);
    EXPECT_TRUE(key_ring_put(ring, L'y'));
    // Everything else in order, the late one last, across the wrap-around.
    for (int i = 1; i < kKeyRingSize; ++i) {
        ASSERT_TRUE(key_ring_take(ring, &unit));
        EXPECT_EQ(unit, 0x100 + i);
    }
    ASSERT_TRUE(key_ring_take(ring, &unit));
    EXPECT_EQ(unit, L'y');
    EXPECT_FALSE(key_ring_take(ring, &unit));
}

TEST_F(Ring, AWriterAndAReaderOnTwoThreadsLoseNothing) {
    const int count = 50000;
    std::thread writer([&] {
        for (int i = 0; i < count; ++i)
            while (!key_ring_put(ring, static_cast<wchar_t>(1 + i % 0x7FFF))) std::this_thread::yield();
    });
    std::vector<wchar_t> got;
    got.reserve(count);
    while (static_cast<int>(got.size()) < count) {
        wchar_t unit;
        if (key_ring_take(ring, &unit)) got.push_back(unit);
        else std::this_thread::yield();
    }
    writer.join();
    for (int i = 0; i < count; ++i) ASSERT_EQ(got[i], static_cast<wchar_t>(1 + i % 0x7FFF)) << i;
}
