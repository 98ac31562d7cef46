#include "frm_over.h"

namespace koppelo::ui {

void FrmOver::Show(QWidget*)
{
    // Placeholder until the dialog exists.
}

}  // namespace koppelo::ui
