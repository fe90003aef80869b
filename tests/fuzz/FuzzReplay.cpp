// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The fuzz targets' entry point outside libFuzzer: runs the target once on each file named, or on
// each file of a folder named, so that the test suite checks every corpus input with any compiler.
#include "FuzzSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

int main(int argc, char** argv)
{
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    QFileInfoList inputs;
    for (int i = 1; i < argc; ++i)
        inputs += QFileInfo(argv[i]).isDir() ? QDir(argv[i]).entryInfoList(QDir::Files, QDir::Name) : QFileInfoList{QFileInfo(argv[i])};
    fuzz::check(!inputs.isEmpty(), "the replay has inputs", QStringLiteral("usage: %1 INPUT-OR-FOLDER...").arg(argv[0]));
    for (const QFileInfo& input : inputs) {
        QFile file(input.filePath());
        check(file.open(QIODevice::ReadOnly), "every input given can be read", file.fileName() + ": " + file.errorString());
        const QByteArray bytes = file.readAll();
        std::fprintf(stderr, "%s\n", qPrintable(file.fileName()));
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
    }
    std::printf("%lld inputs run, none broke a property\n", static_cast<long long>(inputs.size()));
}
