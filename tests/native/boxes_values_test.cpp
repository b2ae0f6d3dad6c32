// Numbers written into and read from input box fields.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "boxes/field_values.h"

namespace kbx {
namespace {

std::string dbl(double v) {
    char out[kFieldNumberChars];
    format_field_double(v, out, sizeof out);
    return out;
}

TEST(FieldDouble, PlainFormKeepsTheDecimalPoint) {
    EXPECT_EQ(dbl(8.0), "8.");
    EXPECT_EQ(dbl(0.0), "0.");
    EXPECT_EQ(dbl(15.6), "15.6");
    EXPECT_EQ(dbl(125.5), "125.5");
    EXPECT_EQ(dbl(-3.25), "-3.25");
    EXPECT_EQ(dbl(1920.0), "1920.");
    EXPECT_EQ(dbl(0.5), "0.5");
    EXPECT_EQ(dbl(0.1), "0.1");
    EXPECT_EQ(dbl(1234567890.0), "1234567890.");
}

TEST(FieldDouble, TenSignificantDigitsRounded) {
    EXPECT_EQ(dbl(3.14159265358979), "3.141592654");
    EXPECT_EQ(dbl(1.0 / 3.0), "0.3333333333");
    EXPECT_EQ(dbl(2.0 / 3.0), "0.6666666667");
    EXPECT_EQ(dbl(123456.7891234), "123456.7891");
    // Rounding that carries into a new leading digit.
    EXPECT_EQ(dbl(9.99999999999), "10.");
    EXPECT_EQ(dbl(999999999.99), "1000000000.");
}

TEST(FieldDouble, ExponentFormOutsideThePlainRange) {
    EXPECT_EQ(dbl(12345678901.0), "1.23456789e+010");
    EXPECT_EQ(dbl(1e10), "1.e+010");
    EXPECT_EQ(dbl(9999999999.9), "1.e+010");
    EXPECT_EQ(dbl(0.01), "1.e-002");
    EXPECT_EQ(dbl(0.0125), "1.25e-002");
    EXPECT_EQ(dbl(-2.5e-300), "-2.5e-300");
    EXPECT_EQ(dbl(1.7976931348623157e308), "1.797693135e+308");
    EXPECT_EQ(dbl(5e-324), "4.940656458e-324");
}

TEST(FieldDouble, ValuesReadBackAsWritten) {
    for (double v : {8.0, 15.6, 0.1, 1234.5678, -77.125, 1e-5, 6.02e23}) {
        EXPECT_DOUBLE_EQ(parse_field_double(dbl(v).c_str()), v) << dbl(v);
    }
}

TEST(FieldDouble, NonFiniteValuesStillGiveText) {
    EXPECT_EQ(dbl(std::numeric_limits<double>::infinity()), "inf");
    EXPECT_EQ(dbl(-std::numeric_limits<double>::infinity()), "-inf");
    EXPECT_FALSE(dbl(std::nan("")).empty());
}

TEST(FieldDouble, SmallBuffersAreCutNotOverrun) {
    char out[5] = {'x', 'x', 'x', 'x', 'x'};
    format_field_double(-1234567.5, out, sizeof out);
    EXPECT_EQ(std::string(out), "-123");
    char one[1] = {'x'};
    format_field_double(8.0, one, 1);
    EXPECT_EQ(one[0], 0);
}

TEST(FieldInt, Decimal) {
    char out[16];
    format_field_int(800, out, sizeof out);
    EXPECT_EQ(std::string(out), "800");
    format_field_int(-2147483647 - 1, out, sizeof out);
    EXPECT_EQ(std::string(out), "-2147483648");
}

TEST(FieldParsing, FollowsAtoiAndAtof) {
    EXPECT_EQ(parse_field_int("800"), 800);
    EXPECT_EQ(parse_field_int("  -42abc"), -42);
    EXPECT_EQ(parse_field_int("+7"), 7);
    EXPECT_EQ(parse_field_int("12.9"), 12);
    EXPECT_EQ(parse_field_int("abc"), 0);
    EXPECT_EQ(parse_field_int(""), 0);
    EXPECT_EQ(parse_field_int(nullptr), 0);
    EXPECT_DOUBLE_EQ(parse_field_double("8."), 8.0);
    EXPECT_DOUBLE_EQ(parse_field_double(" 15.6 inch"), 15.6);
    EXPECT_DOUBLE_EQ(parse_field_double("1.e-002"), 0.01);
    EXPECT_DOUBLE_EQ(parse_field_double("x1"), 0.0);
    EXPECT_DOUBLE_EQ(parse_field_double(nullptr), 0.0);
}

TEST(FieldParsing, IntegersBeyondRangeAreClamped) {
    EXPECT_EQ(parse_field_int("2147483647"), 2147483647);
    EXPECT_EQ(parse_field_int("2147483648"), 2147483647);
    EXPECT_EQ(parse_field_int("99999999999999999999999"), 2147483647);
    EXPECT_EQ(parse_field_int("-2147483649"), -2147483647 - 1);
    EXPECT_EQ(parse_field_int("-99999999999999999999999"), -2147483647 - 1);
}

}  // namespace
}  // namespace kbx
