// Message boxes drawn by Qt.
#include "platform/widgets/MessageBox.h"

#include <QMessageBox>

namespace platform::detail {

void showMessageBox(const QString& text, int style, const QString& title, QWidget* parent)
{
    const QMessageBox::Icon icon = style == MsgBoxCritical  ? QMessageBox::Critical
                                 : style == MsgBoxExclamation ? QMessageBox::Warning
                                                              : QMessageBox::NoIcon;
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace platform::detail
