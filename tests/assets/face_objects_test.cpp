// The faces as the game receives them: picture objects whose identity, not
// their pixels, tells two faces apart.
#include <gtest/gtest.h>

#include <QImage>

#include <set>

#include "assets/assets.h"
#include "face_table.h"
#include "runtime/picture_box.h"
#include "runtime/qt/qt_picture.h"

namespace koppelo::assets::test {
namespace {

TEST(MakeFaces, GivesEighteenObjectsWithDistinctNonZeroHandles)
{
    const auto faces = makeFaces();
    std::set<runtime::Picture::Handle> handles;
    std::set<const runtime::Picture*> objects;
    for (std::size_t face = 0; face < kFaceCount; ++face) {
        ASSERT_NE(faces[face], nullptr) << "face " << face;
        EXPECT_NE(faces[face]->handle(), runtime::kEmptyHandle);
        handles.insert(faces[face]->handle());
        objects.insert(faces[face].get());
    }
    EXPECT_EQ(handles.size(), kFaceCount);
    EXPECT_EQ(objects.size(), kFaceCount);
}

TEST(MakeFaces, FaceKHasTheImageOfFaceK)
{
    const auto faces = makeFaces();
    for (std::size_t face = 0; face < kFaceCount; ++face) {
        const QImage* image = runtime::qt::imageOf(faces[face]);
        ASSERT_NE(image, nullptr) << "face " << face;
        EXPECT_EQ(image->size(), QSize(kExpectedFaces[face].width, kExpectedFaces[face].height)) << "face " << face;
        EXPECT_EQ(image->convertToFormat(QImage::Format_RGB32),
                  QImage::fromData(embeddedFace(face), "BMP").convertToFormat(QImage::Format_RGB32))
            << "face " << face;
    }
}

// Each call makes fresh objects: nothing is cached between windows.
TEST(MakeFaces, EveryCallMakesNewObjects)
{
    const auto first = makeFaces();
    const auto second = makeFaces();
    for (std::size_t face = 0; face < kFaceCount; ++face) {
        EXPECT_NE(first[face].get(), second[face].get());
        EXPECT_NE(first[face]->handle(), second[face]->handle());
    }
}

// A face passed on from box to box, as a deal and a turn do, stays the one
// object; no two faces ever share a handle, whatever boxes hold them.
TEST(MakeFaces, SamenessIsByObject)
{
    const auto faces = makeFaces();
    constexpr std::size_t kShared = 5;
    constexpr std::size_t kOther = 12;

    runtime::PictureBox source;
    runtime::PictureBox layout;
    runtime::PictureBox slot;
    runtime::PictureBox preview;
    source.setPicture(faces[kShared]);
    layout.setPicture(source.picture());
    slot.setPicture(layout.picture());
    preview.setPicture(slot.picture());
    for (const runtime::PictureBox* box : {&source, &layout, &slot, &preview}) {
        EXPECT_EQ(box->handle(), faces[kShared]->handle());
        EXPECT_EQ(box->picture().get(), faces[kShared].get());
    }

    runtime::PictureBox other;
    other.setPicture(faces[kOther]);
    EXPECT_NE(other.handle(), preview.handle());

    runtime::PictureBox cleared;
    cleared.setPicture(faces[kShared]);
    cleared.setPicture(runtime::PictureRef{});
    EXPECT_EQ(cleared.handle(), runtime::kEmptyHandle);
    EXPECT_EQ(preview.handle(), faces[kShared]->handle());
}

}  // namespace
}  // namespace koppelo::assets::test
