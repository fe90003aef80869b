// Helpers of the tests that read associations back: the desktop's own tools, a test icon file.
#include "DesktopTestSupport.h"

#include <QBuffer>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

namespace desktoptest {

Run run(const QString& program, const QStringList& arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // GIO finds shared-mime-info's base database through XDG_DATA_DIRS; headless, it must not
    // look for a session bus or for the GVfs daemons.
    if (environment.value(QStringLiteral("XDG_DATA_DIRS")).isEmpty())
        environment.insert(QStringLiteral("XDG_DATA_DIRS"),
                           QStringLiteral("/usr/local/share:/usr/share"));
    environment.insert(QStringLiteral("GIO_USE_VFS"), QStringLiteral("local"));
    environment.insert(QStringLiteral("GIO_USE_VOLUME_MONITOR"), QStringLiteral("unix"));
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("disabled:"));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    Run result;
    if (!process.waitForFinished(30'000) || process.exitStatus() != QProcess::NormalExit)
        return result;
    result.exitCode = process.exitCode();
    result.output = QString::fromUtf8(process.readAll());
    return result;
}

namespace {

QString gioAttribute(const QString& path, const QString& attribute)
{
    const Run info = run(QStringLiteral("gio"),
                         { QStringLiteral("info"), QStringLiteral("-a"), attribute, path });
    const QString prefix = attribute + QStringLiteral(": ");
    for (const QString& line : info.output.split(u'\n')) {
        if (line.trimmed().startsWith(prefix))
            return line.trimmed().mid(prefix.size());
    }
    return {};
}

} // namespace

QString contentType(const QString& path)
{
    return gioAttribute(path, QStringLiteral("standard::content-type"));
}

QStringList iconNames(const QString& path)
{
    return gioAttribute(path, QStringLiteral("standard::icon")).split(QStringLiteral(", "));
}

QString defaultApplication(const QString& mimeType)
{
    const Run mime = run(QStringLiteral("gio"), { QStringLiteral("mime"), mimeType });
    for (const QString& line : mime.output.split(u'\n')) {
        if (line.startsWith(QStringLiteral("Default application for")))
            return line.mid(line.lastIndexOf(QStringLiteral(": ")) + 2).trimmed();
    }
    return {};
}

QByteArray icoFile(const std::vector<int>& sizes, unsigned int colour)
{
    std::vector<QByteArray> images;
    for (const int size : sizes) {
        QImage image(size, size, QImage::Format_ARGB32);
        image.fill(colour);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        images.push_back(png);
    }
    const auto le16
        = [](QByteArray& out, quint16 v) { out.append(char(v & 0xff)).append(char(v >> 8)); };
    const auto le32 = [&le16](QByteArray& out, quint32 v) {
        le16(out, quint16(v & 0xffff));
        le16(out, quint16(v >> 16));
    };
    QByteArray ico;
    le16(ico, 0);
    le16(ico, 1);
    le16(ico, quint16(sizes.size()));
    quint32 offset = 6 + 16 * quint32(sizes.size());
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        ico.append(char(sizes[i] >= 256 ? 0 : sizes[i]))
            .append(char(sizes[i] >= 256 ? 0 : sizes[i]));
        ico.append(char(0)).append(char(0));
        le16(ico, 1);
        le16(ico, 32);
        le32(ico, quint32(images[i].size()));
        le32(ico, offset);
        offset += quint32(images[i].size());
    }
    for (const QByteArray& png : images)
        ico += png;
    return ico;
}

QByteArray recorderScript(const QString& outputPath)
{
    return QStringLiteral("#!/bin/sh\n"
                          "printf '%s\\n' \"$@\" > '%1.part'\n"
                          "mv '%1.part' '%1'\n")
        .arg(outputPath)
        .toUtf8();
}

QStringList waitForLines(const QString& path)
{
    QElapsedTimer timer;
    timer.start();
    while (!QFile::exists(path) && timer.elapsed() < 10'000)
        QThread::msleep(20);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

registry::RegistryHive readHive(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    registry::RegistryHive::ReadError error;
    std::optional<registry::RegistryHive> hive = registry::RegistryHive::parse(file.readAll(), &error);
    EXPECT_TRUE(hive.has_value()) << path.toStdString() << ": line " << error.line << ": "
                                  << error.english.toStdString();
    return hive.value_or(registry::RegistryHive());
}

std::string regText(const QByteArray& file)
{
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(file.constData()), file.size() / 2).toStdString();
}

QStringList filesBelow(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    return files;
}

} // namespace desktoptest
