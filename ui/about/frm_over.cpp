#include "frm_over.h"

#include <QDialog>
#include <QFont>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "assets/assets.h"
#include "runtime/label.h"
#include "runtime/picture_box.h"
#include "runtime/qt/form_surface.h"
#include "runtime/qt/picture_box_view.h"
#include "runtime/qt/qt_picture.h"
#include "ui/about/frm_over_layout.h"

namespace koppelo::ui {

// The models behind one opening's controls.
struct OverModels {
    runtime::PictureBox Picture1;
    std::array<runtime::Label, over::kLabelCount> captions;
};

namespace {

using runtime::qt::FormSurface;
using runtime::qt::PictureBoxView;

// Where the desktop has no such face, Qt falls back on its own default,
// which is too wide for the labels; name the substitute once instead.
void substituteDesignFont()
{
    const QString design = QString::fromLatin1(over::kDesignFamily);
    const QString substitute = QString::fromLatin1(over::kSubstituteFamily);
    if (!QFont::substitutes(design).contains(substitute))
        QFont::insertSubstitution(design, substitute);
}

// Centred on the owner's frame, its own frame taken to be as wide as the
// owner's, and kept on the owner's screen. Qt's own placement guesses a
// frame where the owner has none, which puts it off centre.
void centreOver(QWidget& window, const QWidget* owner)
{
    if (owner == nullptr)
        return;  // an ownerless dialog is centred on the screen
    const QWidget* top = owner->window();
    const QRect outer = top->frameGeometry();
    const QRect inner = top->geometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                         outer.bottom() - inner.bottom());
    QRect placed(QPoint(0, 0), window.size().grownBy(frame));
    placed.moveCenter(outer.center());
    if (const QScreen* screen = top->screen()) {
        const QRect room = screen->availableGeometry();
        placed.moveRight(std::min(placed.right(), room.right()));
        placed.moveLeft(std::max(placed.left(), room.left()));
        placed.moveBottom(std::min(placed.bottom(), room.bottom()));
        placed.moveTop(std::max(placed.top(), room.top()));
    }
    window.move(placed.topLeft());
}

struct PaintedLabel {
    QRect place;
    const runtime::Label* caption;
};

// The painted labels, as a screen reader reads them out: from the top down.
void describeLabels(FormSurface& surface, std::vector<PaintedLabel> labels)
{
    std::sort(labels.begin(), labels.end(), [](const auto& a, const auto& b) { return a.place.top() < b.place.top(); });
    std::vector<runtime::qt::AccessiblePart> texts;
    for (const auto& [place, caption] : labels)
        texts.push_back({QAccessible::StaticText, QString::fromStdString(caption->caption()), place});
    surface.accessibleParts().addTexts(std::move(texts));
}

void cmdOK_Click(QDialog& window)
{
    window.accept();
}

// Loads the window from the layout: surface items lowest first, so the
// table, which lists the topmost first, is walked backwards; the two child
// windows come last and so lie above the surface.
void load(QDialog& window, OverModels& models)
{
    const texts::AboutTexts& words = texts::chosen().about;
    window.setObjectName(QString::fromLatin1(over::kFormName));
    window.setWindowTitle(QString::fromUtf8(words.caption));
    window.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint);
    window.setFont(FormSurface::fontFor(over::kDefaultFont, window.logicalDpiY()));

    auto* surface = new FormSurface(&window);
    surface->setObjectName(QStringLiteral("surface"));
    const QSize client(surface->pixels(over::kClientWidth), surface->pixels(over::kClientHeight));
    window.setFixedSize(client);
    surface->setGeometry(QRect(QPoint(0, 0), client));

    PictureBoxView* picture = nullptr;
    QPushButton* button = nullptr;
    std::size_t label = 0;
    std::vector<PaintedLabel> labels;
    for (auto row = over::kControls.rbegin(); row != over::kControls.rend(); ++row) {
        switch (row->kind) {
        case over::Kind::Shape:
            surface->addItem(runtime::qt::SurfaceShape{row->rect, QColor(row->colour)});
            break;
        case over::Kind::Label: {
            runtime::Label& caption = models.captions.at(label++);
            caption.setCaption(words.*row->caption);
            surface->addItem(runtime::qt::SurfaceLabel{row->rect, &caption, row->font,
                                                       runtime::qt::TextAlign::Centre, true, QColor(row->colour)});
            labels.push_back({surface->pixels(row->rect), &caption});
            break;
        }
        case over::Kind::PictureBox:
            picture = new PictureBoxView(models.Picture1.picture(), runtime::qt::BoxBorder::Flat, &window);
            picture->setObjectName(QString::fromLatin1(row->name));
            picture->setBackgroundRole(QPalette::Base);
            picture->setFocusPolicy(Qt::StrongFocus);
            picture->setAccessibleName(QString::fromUtf8(words.logoName));
            picture->setGeometry(surface->pixels(row->rect));
            break;
        case over::Kind::CommandButton:
            button = new QPushButton(QString::fromUtf8(words.*row->caption), &window);
            button->setObjectName(QString::fromLatin1(row->name));
            button->setDefault(true);
            button->setGeometry(surface->pixels(row->rect));
            QObject::connect(button, &QPushButton::clicked, &window, [&window] { cmdOK_Click(window); });
            break;
        }
    }

    describeLabels(*surface, std::move(labels));
    QWidget::setTabOrder(button, picture);
    button->setFocus();
    centreOver(window, window.parentWidget());
}

}  // namespace

// One opening: the models outlive the window built on them.
struct FrmOver::Loaded {
    explicit Loaded(QWidget* owner) : window(owner) {}

    OverModels models;
    QDialog window;  // a child of its owner: no taskbar button of its own
};

FrmOver::FrmOver() : FrmOver(&assets::aboutLogo) {}

FrmOver::FrmOver(LogoSource logo) : logo_(std::move(logo)) {}

FrmOver::~FrmOver() = default;

void FrmOver::Show(QWidget* owner)
{
    substituteDesignFont();
    // A new window every time, placed afresh over wherever the owner is now.
    loaded_.reset();
    loaded_ = std::make_unique<Loaded>(owner);
    loaded_->models.Picture1.setPicture(runtime::qt::makePicture(logo_()));
    load(loaded_->window, loaded_->models);
    loaded_->window.exec();
    // Without a window manager nobody hands the keyboard back to the owner,
    // and F2 would go unheard until the player clicked the window.
    if (owner != nullptr)
        owner->window()->activateWindow();
}

}  // namespace koppelo::ui
