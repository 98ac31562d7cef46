#include "window_fixture.h"

#include <QApplication>
#include <QPainter>
#include <QTest>

#include "runtime/qt/qt_picture.h"

namespace koppelo::ui::testing {

namespace {

constexpr int kHueStep = 20;
constexpr int kSaturation = 230;
constexpr int kValue = 200;

QImage faceImage(int face)
{
    QImage image(kFaceSizes[face], QImage::Format_RGB32);
    image.fill(faceColour(face));
    image.setPixelColor(0, 0, kFaceMarker);
    return image;
}

}  // namespace

QColor faceColour(int face) { return QColor(QColor::fromHsv(face * kHueStep, kSaturation, kValue).rgb()); }

QRect slotPixels(int index)
{
    constexpr int kLeft = 8, kTop = 56, kPitch = 88, kSize = 80;
    return {kLeft + kPitch * (index % game::kColumns), kTop + kPitch * (index / game::kColumns), kSize, kSize};
}

std::int32_t ScriptedQuestion::show(const std::string& prompt, const std::string& title, std::int32_t style)
{
    asked.push_back({prompt, title, style});
    if (whileOpen)
        whileOpen();
    return answer;
}

void WindowTest::SetUp()
{
    for (int k = 0; k < game::kFaces; ++k)
        faces[k] = runtime::qt::makePicture(faceImage(k));
    random.emplace(clock);
}

void WindowTest::openWindow(bool realQuestion)
{
    window.emplace(faces, QIcon(), *random, realQuestion ? nullptr : &question);
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&*window));
}

runtime::qt::PictureBoxView& WindowTest::box(const QString& name) const
{
    auto* found = window->surface().findChild<runtime::qt::PictureBoxView*>(name);
    if (found == nullptr)
        throw std::runtime_error("no box " + name.toStdString());
    return *found;
}

runtime::qt::PictureBoxView& WindowTest::slot(int index) const
{
    return box(QStringLiteral("Picture3(%1)").arg(index));
}

QImage WindowTest::client() const
{
    return window->surface().grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QColor WindowTest::background() const { return window->surface().palette().color(QPalette::Button); }

QColor WindowTest::windowText() const { return window->surface().palette().color(QPalette::WindowText); }

void WindowTest::clickSlot(int index) { QTest::mouseClick(&slot(index), Qt::LeftButton); }

void WindowTest::clickSurfaceAt(QPoint point)
{
    QWidget* surface = &window->surface();
    QWidget* target = surface->childAt(point);
    if (target == nullptr)
        target = surface;
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, target->mapFrom(surface, point));
}

void WindowTest::pressNewGameKey() { QTest::keyClick(&*window, Qt::Key_F2); }

int WindowTest::faceOf(runtime::Picture::Handle handle) const
{
    for (int k = 0; k < game::kFaces; ++k) {
        if (faces[k]->handle() == handle)
            return k;
    }
    return kNoFace;
}

int WindowTest::faceDealtTo(int slot) const { return faceOf(window->game().board().Picture1[slot].handle()); }

std::vector<std::array<int, 2>> WindowTest::pairs() const
{
    std::vector<std::array<int, 2>> result(game::kFaces, {-1, -1});
    for (int i = 0; i < game::kSlots; ++i) {
        auto& pair = result.at(static_cast<std::size_t>(faceDealtTo(i)));
        pair[pair[0] < 0 ? 0 : 1] = i;
    }
    return result;
}

int WindowTest::slotOfOtherFace(int slot) const
{
    for (int i = 0; i < game::kSlots; ++i) {
        if (faceDealtTo(i) != faceDealtTo(slot))
            return i;
    }
    return -1;
}

int WindowTest::faceShownIn(const QImage& image, const QRect& box) const
{
    const QColor colour = image.pixelColor(box.center());
    for (int k = 0; k < game::kFaces; ++k) {
        if (colour == faceColour(k))
            return k;
    }
    return kNoFace;
}

Shown WindowTest::shown() const
{
    const game::Board& board = window->game().board();
    Shown result;
    for (int i = 0; i < game::kSlots; ++i) {
        result.slotPictures[i] = board.Picture3[i].handle();
        result.slotVisible[i] = slot(i).isVisible();
    }
    result.first = board.Picture4.handle();
    result.second = board.Picture5.handle();
    result.counter = board.Label1.caption();
    return result;
}

}  // namespace koppelo::ui::testing
