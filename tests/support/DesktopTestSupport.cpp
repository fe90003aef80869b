// Helpers of the tests that read associations back: the desktop's own tools, a test icon file.
#include "DesktopTestSupport.h"

#include "TestEnvironment.h"

#include <QBuffer>
#include <QDirIterator>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QtEndian>

namespace desktoptest {

Run run(const QString& program, const QStringList& arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // GIO finds shared-mime-info's base database through XDG_DATA_DIRS; headless, it must not
    // look for a session bus or for the GVfs daemons.
    if (environment.value("XDG_DATA_DIRS").isEmpty())
        environment.insert("XDG_DATA_DIRS", "/usr/local/share:/usr/share");
    for (const auto& [name, value] : {std::pair{"GIO_USE_VFS", "local"}, {"GIO_USE_VOLUME_MONITOR", "unix"},
                                      {"DBUS_SESSION_BUS_ADDRESS", "disabled:"}, {"LC_ALL", "C.UTF-8"}})
        environment.insert(name, value);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(30'000) && process.exitStatus() == QProcess::NormalExit;
    return finished ? Run {process.exitCode(), QString::fromUtf8(process.readAll())} : Run {};
}

// The text after `prefix` on the first line of `output` that starts with it, once trimmed.
static QString lineAfter(const QString& output, const QString& prefix)
{
    return output.split(u'\n').filter(QRegularExpression("^\\s*" + QRegularExpression::escape(prefix))).value(0).trimmed().mid(prefix.size());
}
static QString gioAttribute(const QString& path, const QString& attribute) { return lineAfter(run("gio", {"info", "-a", attribute, path}).output, attribute + ": "); }

QString contentType(const QString& path) { return gioAttribute(path, "standard::content-type"); }
QStringList iconNames(const QString& path) { return gioAttribute(path, "standard::icon").split(", "); }
QString defaultApplication(const QString& mimeType)
{
    return lineAfter(run("gio", {"mime", mimeType}).output, "Default application for").section(": ", -1).trimmed();
}

QByteArray icoFile(const std::vector<int>& sizes, unsigned int colour)
{
    QByteArray directory(6 + 16 * sizes.size(), '\0'), images;
    directory[2] = 1, directory[4] = char(sizes.size()); // an icon file, with fewer than 256 images
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        QImage image(sizes[i], sizes[i], QImage::Format_ARGB32);
        image.fill(colour);
        QByteArray png;
        QBuffer buffer(&png);
        image.save(&buffer, "PNG"); // which opens the buffer
        // Width and height (0 for 256), colours and reserved, planes 1, 32 bits, size, offset.
        char* entry = directory.data() + 6 + 16 * i;
        entry[0] = entry[1] = char(sizes[i] >= 256 ? 0 : sizes[i]);
        entry[4] = 1, entry[6] = 32;
        qToLittleEndian<quint32>(quint32(png.size()), entry + 8);
        qToLittleEndian<quint32>(quint32(directory.size() + images.size()), entry + 12);
        images += png;
    }
    return directory + images;
}

QByteArray recorderScript(const QString& outputPath)
{
    return QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" > '%1.part'\nmv '%1.part' '%1'\n").arg(outputPath).toUtf8();
}

QStringList waitForLines(const QString& path)
{
    (void)QTest::qWaitFor([&path] { return QFile::exists(path); }, 10'000); // a file never written reads as no line
    QStringList lines = QString::fromUtf8(TestEnvironment::readFile(path)).split(u'\n');
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

registry::RegistryHive readHive(const QString& path)
{
    registry::RegistryHive::ReadError error;
    const std::optional<registry::RegistryHive> hive = registry::RegistryHive::parse(TestEnvironment::readFile(path), &error);
    EXPECT_TRUE(QFile::exists(path) && hive) << path.toStdString() << ": line " << error.line << ": " << error.english.toStdString();
    return hive.value_or(registry::RegistryHive());
}

QStringList filesBelow(const QString& folder)
{
    QStringList files;
    for (QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories); it.hasNext();)
        files << it.next();
    return files;
}

} // namespace desktoptest
