// Zelvane's entry point: the wizard window is the start-up object.
#include "app/WizardStyle.h"
#include "app/Zelvane15.h"
#include "platform/ProgramFiles.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zelvane"));
    QApplication::setOrganizationName(QStringLiteral("Zelvane"));
    WizardStyle::install();
    Zelvane15 window(platform::programDirectory());
    if (!window.start())
        return 0;
    return QApplication::exec();
}
