// The faces as the game receives them: picture objects told apart by identity, not by pixels.
#include <gtest/gtest.h>

#include <QImage>

#include <set>
#include <string>

#include "assets/assets.h"
#include "runtime/qt/qt_picture.h"

namespace koppelo::assets::test {
namespace {

TEST(MakeFaces, GivesEighteenNewObjectsWithTheirOwnHandlesAndImages)
{
    const auto faces = makeFaces();
    const auto again = makeFaces();
    std::set<runtime::Picture::Handle> handles;
    for (std::size_t face = 0; face < kFaceCount; ++face) {
        SCOPED_TRACE("face " + std::to_string(face));
        ASSERT_TRUE(faces[face] && again[face]);
        handles.insert({faces[face]->handle(), again[face]->handle()});
        const QImage* image = runtime::qt::imageOf(faces[face]);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->convertToFormat(QImage::Format_RGB32),
                  QImage::fromData(embeddedFace(face), "BMP").convertToFormat(QImage::Format_RGB32));
    }
    EXPECT_EQ(handles.count(runtime::kEmptyHandle), 0u);
    EXPECT_EQ(handles.size(), 2 * kFaceCount);
}

}  // namespace
}  // namespace koppelo::assets::test
