// The INI files and queries on which our profile reader and the Windows lookup are compared.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

struct ProfileQuery {
    QByteArray section;
    QByteArray key;
    int size = 127;
};

struct CorpusFile {
    QString name;
    std::optional<QByteArray> bytes; // none: the file does not exist
    QList<ProfileQuery> queries;
};

// Hand-written files, one for each family of rules (quotes, comments, duplicates, blanks, line
// ends, long lines, Windows-1252, odd lines, NUL bytes, byte-order marks, the shipped catalogue),
// each queried with every buffer size from 1 to 127; then generated files mixing them at random
// from a fixed seed, each queried with a handful of sizes.
QList<CorpusFile> profileCorpus(const QByteArray& shippedCatalogue);
