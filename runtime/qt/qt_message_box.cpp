#include "qt_message_box.h"

#include "runtime/qt/toolkit_texts.h"

namespace koppelo::runtime::qt {

namespace {

constexpr std::int32_t kButtonMask = 0x0F;
constexpr std::int32_t kIconMask = 0xF0;
constexpr std::int32_t kOk = 1;

QMessageBox::Icon iconFor(std::int32_t style)
{
    switch (style & kIconMask) {
    case kInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

}  // namespace

std::int32_t QtMessageBox::show(const std::string& prompt, const std::string& title, std::int32_t style)
{
    useToolkitTexts();
    QMessageBox& box = box_.emplace(iconFor(style), QString::fromStdString(title), QString::fromStdString(prompt),
                                    QMessageBox::NoButton, parent_);
    box.setWindowModality(Qt::ApplicationModal);
    if ((style & kButtonMask) == kYesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? kYes : kNo;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return kOk;
}

}  // namespace koppelo::runtime::qt
