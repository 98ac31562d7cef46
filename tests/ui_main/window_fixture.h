// The main window under test: faces of the real sizes in distinct plain
// colours, a clock that counts, a question that answers from a script, and
// ways to click and to read back what the window shows, in pixels.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QPoint>
#include <QRect>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "game/frm_koppelo.h"
#include "runtime/clock.h"
#include "runtime/qt/picture_box_view.h"
#include "runtime/random.h"
#include "ui/main/frm_koppelo.h"

namespace koppelo::ui::testing {

inline constexpr int kNoFace = -1;

// Sizes of the built-in faces; every face is larger than a slot's drawing area.
inline constexpr std::array<QSize, game::kFaces> kFaceSizes{
    QSize(92, 91), QSize(92, 92), QSize(92, 90), QSize(92, 92), QSize(92, 90), QSize(92, 90),
    QSize(90, 91), QSize(91, 91), QSize(92, 92), QSize(90, 92), QSize(91, 92), QSize(93, 91),
    QSize(93, 91), QSize(92, 90), QSize(92, 92), QSize(93, 92), QSize(92, 91), QSize(90, 90)};

// Face k is one plain colour with a white top-left pixel, to see where it starts.
QColor faceColour(int face);
inline const QColor kFaceMarker{255, 255, 255};

class CountingClock final : public runtime::Clock {
public:
    std::uint64_t now() override { return ++reading_; }

private:
    std::uint64_t reading_ = 0;
};

struct Asked {
    std::string prompt;
    std::string title;
    std::int32_t style;
};

// Records each question and answers it; whileOpen runs as the question stands.
class ScriptedQuestion final : public runtime::MessageBox {
public:
    std::int32_t show(const std::string& prompt, const std::string& title, std::int32_t style) override;

    std::int32_t answer = runtime::kYes;
    std::vector<Asked> asked;
    std::function<void()> whileOpen;
};

// What the game shows, for comparing before and after a click.
struct Shown {
    std::array<runtime::Picture::Handle, game::kSlots> slotPictures{};
    std::array<bool, game::kSlots> slotVisible{};
    runtime::Picture::Handle first = 0;
    runtime::Picture::Handle second = 0;
    std::string counter;
    friend bool operator==(const Shown&, const Shown&) = default;
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;

    // With no scripted question the window asks through a real message box.
    void openWindow(bool realQuestion);

    ui::FrmKoppelo& frm() { return *window; }
    runtime::qt::PictureBoxView& box(const QString& name) const;
    runtime::qt::PictureBoxView& slot(int index) const;

    // The client area as drawn, one pixel per device pixel.
    QImage client() const;
    QColor background() const;
    QColor windowText() const;

    void clickSlot(int index);
    // A real pointer's click: it lands on whatever lies topmost at the point.
    void clickSurfaceAt(QPoint point);
    void pressNewGameKey();

    int faceOf(runtime::Picture::Handle handle) const;
    int faceDealtTo(int slot) const;
    // The two slots of each face, in face order.
    std::vector<std::array<int, 2>> pairs() const;
    // A slot of another face than the given slot's.
    int slotOfOtherFace(int slot) const;
    // The face a box shows in the grab, judged at its centre; kNoFace if none.
    int faceShownIn(const QImage& image, const QRect& box) const;

    Shown shown() const;

    game::FrmKoppelo::Faces faces;
    CountingClock clock;
    std::optional<runtime::Random> random;
    ScriptedQuestion question;
    std::optional<ui::FrmKoppelo> window;
};

// The grid's boxes at 96 dpi, in pixels of the client area.
QRect slotPixels(int index);

}  // namespace koppelo::ui::testing
