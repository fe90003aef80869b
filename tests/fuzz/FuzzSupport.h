// What the fuzz targets share: inputs cut into fields, text with lone surrogates, scratch files,
// the application object, and the property check that makes a failure a finding.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

namespace fuzz {

inline QByteArray bytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// An input read as fields, each ended by a NUL byte, then the rest as one block of bytes.
class Fields {
public:
    Fields(const uint8_t* data, size_t size);
    // The bytes up to the next NUL, or all that is left when there is none.
    QByteArray next();
    QByteArray rest() const { return m_bytes.mid(m_position); }

private:
    QByteArray m_bytes;
    qsizetype m_position = 0;
};

// UTF-8 text in which the three-byte form of a surrogate code (ED A0 80 to ED BF BF) gives that
// UTF-16 unit alone, so that an input can hold half of a surrogate pair.
QString text(const QByteArray& bytes);

// `bytes` as the content of one file kept for the whole run, rewritten for each input.
QString scratchFile(const QByteArray& bytes);

// A QGuiApplication on the offscreen platform, the image readers already loaded.
void startGuiApplication();

// Ends the run when a property does not hold, so that libFuzzer keeps the input as a finding.
void check(bool holds, const char* property, const QString& detail = QString());

} // namespace fuzz
