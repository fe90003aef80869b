// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Turns a class's DefaultIcon into the PNG files of the user's hicolor icon theme.
#include "freedesktop/DesktopIcons.h"

#include "icons/IconLibrary.h"
#include "freedesktop/DesktopFileWriter.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <set>

namespace registry {

namespace {

struct IconReference {
    QString file;
    int index = 0;
    bool valid = false;
};

// "file,index": the index follows the last comma, and a reference without one names the
// first icon. The file may have been written with the Windows separator after its folder.
IconReference parseReference(const QString& reference)
{
    IconReference parsed;
    const qsizetype comma = reference.lastIndexOf(u',');
    parsed.file = (comma < 0 ? reference : reference.left(comma)).trimmed();
    if (parsed.file.size() >= 2 && parsed.file.startsWith(u'"') && parsed.file.endsWith(u'"'))
        parsed.file = parsed.file.mid(1, parsed.file.size() - 2);
    bool ok = true;
    if (comma >= 0)
        parsed.index = reference.mid(comma + 1).trimmed().toInt(&ok);
    parsed.valid = ok && !parsed.file.isEmpty();
    if (!QFileInfo::exists(parsed.file) && parsed.file.contains(u'\\')) {
        const QString slashed = QString(parsed.file).replace(u'\\', u'/');
        if (QFileInfo::exists(slashed))
            parsed.file = slashed;
    }
    return parsed;
}

platform::Failure iconFailure(const QString& className, const QString& reference,
                                         const QString& why)
{
    return platform::Failure::translated(QT_TRANSLATE_NOOP("Failure", "The icon \"%1\" of the class \"%2\" could not be used: %3"))
                 .arg(reference, className, why);
}

// The square sizes of the icon's images; a directory entry of 0 means 256.
std::set<int> squareSizes(const icons::IconLibrary& library, int position)
{
    std::set<int> sizes;
    for (const icons::IconImageInfo& info : library.images(position)) {
        const int width = info.width == 0 ? 256 : info.width;
        const int height = info.height == 0 ? 256 : info.height;
        if (width == height)
            sizes.insert(width);
    }
    return sizes;
}

QString sizeFolder(int size)
{
    return QStringLiteral("%1x%1").arg(size);
}

QString iconPath(const QString& hicolorDir, const QString& folder, const QString& iconName)
{
    return QStringLiteral("%1/%2/mimetypes/%3.png").arg(hicolorDir, folder, iconName);
}

// Writes the PNG file of every square size of the icon `reference` names; `folders` gets the
// size folders written.
std::vector<platform::Failure>
writeSizes(const QString& className, const QString& reference, const QString& iconName,
           const QString& hicolorDir, QStringList* folders)
{
    const IconReference parsed = parseReference(reference);
    if (!parsed.valid)
        return { iconFailure(className, reference,
                             QStringLiteral("not a \"file,index\" reference")) };
    const icons::IconLibrary library = icons::IconLibrary::open(parsed.file);
    if (library.kind() == icons::LibraryKind::None)
        return { iconFailure(className, reference, library.error()) };
    const int position = library.positionOf(parsed.index);
    if (position < 0)
        return { iconFailure(className, reference,
                             QStringLiteral("no icon at index %1").arg(parsed.index)) };
    const std::set<int> sizes = squareSizes(library, position);
    if (sizes.empty())
        return { iconFailure(className, reference, QStringLiteral("the icon has no square image")) };

    std::vector<platform::Failure> failures;
    for (const int size : sizes) {
        QString error;
        QImage image = library.decode(position, size, &error);
        if (image.isNull()) {
            failures.push_back(iconFailure(className, reference, error));
            continue;
        }
        if (image.size() != QSize(size, size))
            image = image.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const std::optional<QByteArray> png = DesktopIcons::encodedPng(image);
        if (!png) {
            failures.push_back(iconFailure(
                className, reference,
                QStringLiteral("its %1 px image could not be encoded as PNG").arg(size)));
            continue;
        }
        const QString path = iconPath(hicolorDir, sizeFolder(size), iconName);
        if (const auto failure = DesktopFileWriter::write(path, *png))
            failures.push_back(*failure);
        else
            *folders << sizeFolder(size);
    }
    return failures;
}

} // namespace

std::optional<QByteArray> DesktopIcons::encodedPng(const QImage& image)
{
    // The resolution a decoded image gets depends on the process's screen (none for the command
    // line): one fixed resolution makes the same icon the same file whichever process writes it.
    constexpr int kDotsPerMeter = 3780; // 96 dpi
    QImage fixed = image;
    fixed.setDotsPerMeterX(kDotsPerMeter);
    fixed.setDotsPerMeterY(kDotsPerMeter);
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !fixed.save(&buffer, "PNG"))
        return std::nullopt;
    return png;
}

std::vector<platform::Failure>
DesktopIcons::install(const QString& className, const QString& reference, const QString& iconName,
                      const QString& hicolorDir, int* changed)
{
    QStringList written;
    std::vector<platform::Failure> failures;
    if (!reference.isEmpty())
        failures = writeSizes(className, reference, iconName, hicolorDir, &written);
    *changed += int(written.size());
    // A size the icon no longer has would keep showing the former icon at that size.
    const QStringList folders = QDir(hicolorDir).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& folder : folders) {
        if (written.contains(folder))
            continue;
        bool removed = false;
        if (const auto failure
            = DesktopFileWriter::remove(iconPath(hicolorDir, folder, iconName), &removed))
            failures.push_back(*failure);
        *changed += removed ? 1 : 0;
    }
    return failures;
}

} // namespace registry
