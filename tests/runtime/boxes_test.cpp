#include <gtest/gtest.h>

#include <set>

#include "runtime/label.h"
#include "runtime/picture.h"
#include "runtime/picture_box.h"

namespace koppelo::runtime {
namespace {

TEST(Picture, HandlesAreNonZeroAndUniqueAndZeroForTheEmptyPicture)
{
    std::set<Picture::Handle> handles;
    for (int i = 0; i < 1000; ++i) {
        const auto handle = handleOf(makePicture());
        EXPECT_NE(handle, kEmptyHandle);
        EXPECT_TRUE(handles.insert(handle).second) << "handle " << handle << " reused";
    }
    EXPECT_EQ(handleOf(nullptr), kEmptyHandle);
    EXPECT_EQ(PictureBox{}.handle(), kEmptyHandle);
}

TEST(Label, ShowsNumbersAsPlainDigits)
{
    Label label("0");
    for (const auto& [number, caption] : {std::pair{1, "1"}, {18, "18"}, {7, "7"}, {32767, "32767"}, {-32768, "-32768"},
                                          {0, "0"}}) {
        label.setCaption(number);
        EXPECT_EQ(label.caption(), caption);
    }
}

}  // namespace
}  // namespace koppelo::runtime
