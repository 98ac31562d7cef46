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

TEST(PictureBox, HoldsTheSameObjectAndTellsTheObserverOfRealChangesOnly)
{
    const auto a = makePicture(), b = makePicture();
    PictureBox box;
    int changes = 0;
    box.watch([&] { ++changes; });
    EXPECT_TRUE(box.visible());
    const struct {
        PictureRef picture;
        bool visible;
        int changesAfter;
    } steps[] = {{a, true, 1},       {a, true, 1},        {b, true, 2},  {nullptr, true, 3}, {nullptr, true, 3},
                 {nullptr, false, 4}, {nullptr, false, 4}, {a, false, 5}, {a, true, 6}};
    for (const auto& step : steps) {
        box.setPicture(step.picture);
        box.setVisible(step.visible);
        EXPECT_EQ(box.picture(), step.picture);
        EXPECT_EQ(box.visible(), step.visible);
        EXPECT_EQ(changes, step.changesAfter);
    }
}

TEST(Label, ShowsNumbersAsPlainDigitsAndTellsTheObserverOfRealChangesOnly)
{
    Label label("0");
    int changes = 0;
    label.watch([&] { ++changes; });
    const struct {
        std::int32_t number;
        const char* caption;
        int changesAfter;
    } steps[] = {{0, "0", 0}, {1, "1", 1}, {1, "1", 1}, {18, "18", 2}, {7, "7", 3}, {32767, "32767", 4}, {0, "0", 5}};
    for (const auto& step : steps) {
        label.setCaption(step.number);
        EXPECT_EQ(label.caption(), step.caption);
        EXPECT_EQ(changes, step.changesAfter);
    }
}

}  // namespace
}  // namespace koppelo::runtime
