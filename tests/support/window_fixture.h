// The main window under test: plain-coloured faces counted as they are decoded, a scripted question,
// input through the window system, and the client area read back as the window last flushed it.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <array>
#include <functional>
#include <optional>
#include <type_traits>

#include "counting_clock.h"
#include "flushed.h"
#include "game/frm_koppelo_rules.h"
#include "oracle/oracle.h"
#include "runtime/qt/picture_box_view.h"
#include "runtime/qt/qt_picture.h"
#include "runtime/random.h"
#include "scripted_message_box.h"
#include "ui/main/frm_koppelo_window.h"
#include "ui/main/frm_koppelo_layout.h"

namespace koppelo::ui::testing {

inline constexpr int kNoFace = -1;       // no face held, or a box's bare background shown
inline constexpr int kSomethingElse = -2;  // shown: neither a face nor a box's background
inline constexpr QRgb kBand = layout::kShpTitelFill;
// As the built-in faces, larger than a slot's drawing area at any scale.
inline constexpr QSize kFaceSize{92, 91};
// Face k is one plain colour with a white top-left pixel, to see where it starts.
inline const QColor kFaceMarker{255, 255, 255};
inline QColor faceColour(int face) { return QColor(QColor::fromHsv(face * 20, 230, 200).rgb()); }

// Calls `act` with the active modal window once one shows, or with nullptr after `looks` looks;
// the first look comes once the loop runs, and its timers end with `guard`.
template <typename T = QWidget>
void whenModal(QObject& guard, std::type_identity_t<std::function<void(T*)>> act, int looks = 200, int retryMs = 10, int delayMs = 0)
{
    QTimer::singleShot(delayMs, &guard, [&guard, act = std::move(act), looks, retryMs]() mutable {
        auto* modal = qobject_cast<T*>(QApplication::activeModalWidget());
        if (modal == nullptr && looks > 1)
            return whenModal<T>(guard, std::move(act), looks - 1, retryMs, retryMs);
        act(modal);
    });
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { openWindow(); }

    void openWindow(bool realQuestion = false)
    {
        // Decoded when first drawn, as the built-in faces are.
        for (int k = 0; k < game::kFaces; ++k)
            faces[k] = runtime::qt::makeLazyPicture([this, k] {
                ++decodes[static_cast<std::size_t>(k)];
                QImage image(kFaceSize, QImage::Format_RGB32);
                image.fill(faceColour(k));
                image.setPixelColor(0, 0, kFaceMarker);
                return image;
            });
        window.emplace(faces, QIcon(), random, realQuestion ? nullptr : &question);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&*window));
    }

    ui::FrmKoppelo& frm() { return *window; }
    const game::Board& board() const { return window->game().board(); }
    runtime::qt::PictureBoxView& box(const QString& name) const { return window->box(name); }
    runtime::qt::PictureBoxView& slot(int index) const { return box(QStringLiteral("Picture3(%1)").arg(index)); }

    QImage flushed() const { return testkit::flushed(window->surface()); }
    // Flushed once the window has painted what the last input asked for.
    QImage client() const
    {
        QApplication::processEvents();
        return flushed();
    }
    QColor background() const { return window->surface().palette().color(QPalette::Button); }
    QColor windowText() const { return window->surface().palette().color(QPalette::WindowText); }

    // Through the window system, so modality applies and a click lands on whatever lies topmost.
    void clickAt(QPoint onSurface)
    {
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, window->surface().mapTo(&*window, onSurface));
    }
    void clickSlot(int index) { clickAt(slot(index).geometry().center()); }
    void key(Qt::Key key, Qt::KeyboardModifiers with = {}) { QTest::keyClick(window->windowHandle(), key, with); }
    void pressF2() { key(Qt::Key_F2); }

    int faceIn(const runtime::PictureBox& box) const
    {
        for (int k = 0; k < game::kFaces; ++k)
            if (box.handle() != runtime::kEmptyHandle && faces[k]->handle() == box.handle())
                return k;
        return kNoFace;
    }
    int faceDealtTo(int slot) const { return faceIn(board().Picture1[slot]); }
    std::array<std::array<int, 2>, game::kFaces> pairs() const
    {
        std::array<std::array<int, 2>, game::kFaces> result;
        result.fill({-1, -1});
        for (int i = 0; i < game::kSlots; ++i) {
            auto& pair = result.at(static_cast<std::size_t>(faceDealtTo(i)));
            pair[pair[0] < 0 ? 0 : 1] = i;
        }
        return result;
    }
    // Every pair found by clicks but the last `left`.
    void playEveryPair(int left = 0)
    {
        const auto all = pairs();
        for (auto pair = all.begin(); pair != all.end() - left; ++pair) {
            clickSlot((*pair)[0]);
            clickSlot((*pair)[1]);
        }
    }

    // The face a box shows in an image at 96 dpi, judged at its centre.
    int faceShownIn(const QImage& image, const QRect& box) const
    {
        const QColor centre = image.pixelColor(box.center());
        for (int k = 0; k < game::kFaces; ++k)
            if (centre == faceColour(k))
                return k;
        return centre == background() ? kNoFace : kSomethingElse;
    }
    std::array<int, game::kSlots> facesShown(const QImage& image) const
    {
        std::array<int, game::kSlots> seen{};
        for (int i = 0; i < game::kSlots; ++i)
            seen[i] = faceShownIn(image, slot(i).geometry());
        return seen;
    }
    long faceUpCount(const QImage& image) const
    {
        return std::ranges::count_if(facesShown(image), [](int face) { return face >= 0; });
    }
    long faceUpCount() const { return faceUpCount(client()); }

    game::FrmKoppelo::Faces faces;
    std::array<int, game::kFaces> decodes{};  // how often each face was decoded
    testkit::CountingClock clock;
    runtime::Random random{clock};
    testkit::ScriptedMessageBox question{runtime::kYes};
    // Mutable: a box lying under another is made when a check first asks for it.
    mutable std::optional<ui::FrmKoppelo> window;
};

}  // namespace koppelo::ui::testing
