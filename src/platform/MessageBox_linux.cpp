// Message boxes drawn by Qt.
#include "platform/MessageBox.h"

#include <QMessageBox>

namespace platform::detail {

void showMessageBox(const QString& text, int style, const QString& title, QWidget* parent)
{
    QMessageBox box(style == MsgBoxCritical ? QMessageBox::Critical : QMessageBox::NoIcon, title,
                    text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace platform::detail
