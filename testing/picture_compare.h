// Two pictures compared pixel by pixel, within a tolerance per colour
// channel, and a picture that marks where they differ.
#ifndef KBX_TESTING_PICTURE_COMPARE_H
#define KBX_TESTING_PICTURE_COMPARE_H

#include <vector>

namespace kbxtest {

struct PictureDifference {
    long count = 0;        // pixels with a channel off by more than the tolerance
    int largest = 0;       // the largest channel difference of any pixel
    int first_x = -1;      // the first such pixel, row by row; -1 when none
    int first_y = -1;
};

// Compares width x height words 0xRRGGBB, row by row. When marks is not
// null it gets the difference picture: differing pixels red, the others the
// actual picture faded to a quarter, so that the red stands out in place.
PictureDifference compare_pictures(const unsigned* actual, const unsigned* expected, int width, int height,
                                   int tolerance, std::vector<unsigned>* marks);

}  // namespace kbxtest

#endif
