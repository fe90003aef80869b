// The application's style: the platform's own, except for the one picture that would make every
// start-up load the image-format plugins.
#pragma once

#include <QProxyStyle>

class WizardStyle : public QProxyStyle {
    Q_OBJECT
public:
    // Puts the style over the application's current one; call once the QApplication exists.
    static void install();

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option,
                       const QWidget* widget) const override;
};
