// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the fuzz targets share: inputs cut into fields, text with lone surrogates, scratch files,
// the application object, and the property check that makes a failure a finding.
#pragma once

#include <QByteArrayList>
#include <QString>
#include <cstdint>

namespace fuzz {

// The input's first `count` fields, each ended by a NUL byte (or by the input's end), then all
// that is left as one more block of bytes.
QByteArrayList fields(const uint8_t* data, size_t size, int count = 0);

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

// Every target states its properties with it.
using fuzz::check;
