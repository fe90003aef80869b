// The entry point of a fuzz target outside libFuzzer: runs it once on each file named, or on each
// file of a folder named, so that the test suite checks every corpus input with any compiler.
#include <QDir>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

int main(int argc, char** argv)
{
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    QStringList inputs;
    for (int i = 1; i < argc; ++i) {
        const QFileInfo given(QString::fromLocal8Bit(argv[i]));
        const QDir folder(given.filePath());
        for (const QFileInfo& file : given.isDir() ? folder.entryInfoList(QDir::Files, QDir::Name) : QFileInfoList{given})
            inputs << file.filePath();
    }
    if (inputs.isEmpty())
        return std::fprintf(stderr, "usage: %s INPUT-OR-FOLDER...: no input given\n", argv[0]), 2;
    for (const QString& input : inputs) {
        QFile file(input);
        if (!file.open(QIODevice::ReadOnly))
            return std::fprintf(stderr, "cannot read %s: %s\n", qPrintable(input), qPrintable(file.errorString())), 1;
        const QByteArray bytes = file.readAll();
        std::fprintf(stderr, "%s\n", qPrintable(input));
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
    }
    std::printf("%lld inputs run, none broke a property\n", static_cast<long long>(inputs.size()));
    return 0;
}
