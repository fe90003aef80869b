// The INI files and queries on which our profile reader and the Windows lookup are compared.
#include "ProfileCorpus.h"

#include <QRandomGenerator>
#include <utility>

namespace {

using Names = QList<std::pair<QByteArray, QByteArray>>;

CorpusFile everySize(const QString& name, std::optional<QByteArray> bytes, const Names& names)
{
    CorpusFile file {name, std::move(bytes), {}};
    for (const auto& [section, key] : names) {
        for (int size = 1; size <= 127; ++size)
            file.queries.append({section, key, size});
    }
    return file;
}

QByteArray repeated(const char* pattern, int length)
{
    QByteArray text;
    while (text.size() < length)
        text += pattern;
    return text.left(length);
}

QList<CorpusFile> handWritten(const QByteArray& shippedCatalogue)
{
    QList<CorpusFile> files;
    const QByteArray quotes = "[q]\n"
                              "double=\"val2\"\nsingle='val2'\nmixed=\"abc'\nlone=\"\nempty=\"\"\nopen=\"abc\n"
                              "spaced=  \"  in  \"  \ninner=\"\"/opt/My Emu/emu\" \"%1\"\"\n"
                              "long=\"" + repeated("quoted ", 140) + "\"\n"
                              "fits=\"" + repeated("x", 126) + "\"\n";
    files << everySize("quotes", quotes,
                       {{"q", "double"}, {"q", "single"}, {"q", "mixed"}, {"q", "lone"}, {"q", "empty"},
                        {"q", "open"}, {"q", "spaced"}, {"q", "inner"}, {"q", "long"}, {"q", "fits"}});
    files << everySize("comments",
                       "; a comment line\n[c]\n;hidden=1\n  ;indented=2\n#hash=3\nplain=4 ; not a comment\n"
                       "[;c]\nkey=5\n",
                       {{"c", ";hidden"}, {"c", "hidden"}, {"c", ";indented"}, {"c", "#hash"}, {"c", "plain"},
                        {";c", "key"}, {"c", "key"}});
    files << everySize("duplicates", "[d]\nk=first\nk=second\n[D]\nk=third\nj=fourth\n[d]\nm=fifth\n",
                       {{"d", "k"}, {"d", "K"}, {"D", "j"}, {"d", "m"}});
    files << everySize("blanks",
                       "  [ b ]  \n\t key \t=\t value \t\n\x0b\x0ckey2\x1a=\x1avalue2\x1a\n\n   \n"
                       "k e y = v a l \n",
                       {{"b", "key"}, {" b ", " key "}, {"b", "key2"}, {"b", "k e y"}, {"b", "k  e y"}});
    const QByteArray lines = "[e]\n01=one\n02=two\n\n03=three\n";
    for (const auto& [name, end] : {std::pair {"crlf", "\r\n"}, std::pair {"lf", "\n"}, std::pair {"cr", "\r"},
                                    std::pair {"cr-cr-lf", "\r\r\n"}, std::pair {"lf-cr", "\n\r"}}) {
        files << everySize(QStringLiteral("line-ends-%1").arg(QLatin1String(name)),
                           QByteArray(lines).replace("\n", end).chopped(qstrlen(end)),
                           {{"e", "01"}, {"e", "02"}, {"e", "03"}});
    }
    QByteArray longLines = "[" + repeated("S", 300) + "]\n" + repeated("K", 300) + "=far\n[l]\n";
    for (const int length : {125, 126, 127, 128, 200, 1000, 5000, 70000})
        longLines += "v" + QByteArray::number(length) + "=" + repeated("0123456789", length) + "\n";
    Names longNames {{repeated("S", 300), repeated("K", 300)}};
    for (const int length : {125, 126, 127, 128, 200, 1000, 5000, 70000})
        longNames.append({"l", "v" + QByteArray::number(length)});
    files << everySize("long-lines", longLines, longNames);
    QByteArray high;
    for (int byte = 0x80; byte <= 0xFF; ++byte)
        high += char(byte);
    files << everySize("cp1252",
                       "[S\xe9" "ction]\ncl\xe9=caf\xe9 \x80 \x9c\x9f\nall=" + high.left(64) + "\nrest=" + high.mid(64) + "\n",
                       {{"S\xe9" "ction", "cl\xe9"}, {"S\xc9" "CTION", "CL\xc9"}, {"s\xe9" "ction", "all"},
                        {"S\xe9" "ction", "rest"}});
    files << everySize("odd-lines",
                       "before=first\n[o]\nnoequals\n=nokey\nempty=\nk==v\na=b=c\n[]\nin=empty name\n"
                       "[open\nafter=open\n[a]b]c\nx=1\n[s] trailing\ny=2\n[[z]]\nw=3\n",
                       {{"", "before"}, {"o", "noequals"}, {"o", ""}, {"o", "empty"}, {"o", "k"}, {"o", "a"},
                        {"", "in"}, {"o", "[open"}, {"o", "after"}, {"a]b", "x"}, {"a", "x"}, {"s", "y"},
                        {"[z]", "w"}, {"missing", "k"}});
    static const char nulBytes[] = "[n]\nk=ab\0cd\nj\0x=1\nafter=2\n[m\0n]\nz=3\n";
    files << everySize("nul-bytes", QByteArray(nulBytes, sizeof nulBytes - 1),
                       {{"n", "k"}, {"n", "j"}, {"n", "after"}, {"m", "z"}});
    const QString unicode = QStringLiteral("[u]\nlatin=café €\nwide=ゲーム Ωμέγα\n");
    const Names unicodeNames {{"u", "latin"}, {"u", "wide"}};
    files << everySize("utf8-bom", "\xef\xbb\xbf" + unicode.toUtf8(), unicodeNames);
    files << everySize("utf8-plain", unicode.toUtf8(), unicodeNames);
    QByteArray utf16le("\xff\xfe");
    QByteArray utf16be("\xfe\xff");
    for (const QChar c : unicode) {
        utf16le += char(c.unicode() & 0xFF) + QByteArray(1, char(c.unicode() >> 8));
        utf16be += char(c.unicode() >> 8) + QByteArray(1, char(c.unicode() & 0xFF));
    }
    files << everySize("utf16le-bom", utf16le, unicodeNames);
    files << everySize("utf16be-bom", utf16be, unicodeNames);
    files << everySize("empty", QByteArray(), {{"a", "b"}});
    files << everySize("missing", std::nullopt, {{"Console", "01"}});

    // Every value the program itself reads from the catalogue it ships, at the size it uses.
    CorpusFile shipped {"shipped-catalogue", shippedCatalogue, {}};
    for (int n = 1; n <= 16; ++n) {
        const QByteArray number = QByteArray::number(n).rightJustified(2, '0');
        shipped.queries.append({"Console", number, 127});
        for (const char* key : {"ext1", "ext2", "ext3", "ext4", "romname", "savname", "emu1", "emu2", "emu3",
                                "emu4", "emu5", "emu6", "sav1", "sav2", "sav3", "sav4", "cartico", "saveico"})
            shipped.queries.append({number, key, 127});
    }
    files << shipped;
    return files;
}

// Generated files: sections and keys from small pools in random letter case and spacing, values
// plain, quoted or long, with Windows-1252 bytes, comment and odd lines, and random line ends.
QList<CorpusFile> generated(int count)
{
    QRandomGenerator random(20260107);
    const auto pick = [&](const QList<QByteArray>& pool) { return pool[random.bounded(int(pool.size()))]; };
    const auto randomCase = [&](QByteArray name) {
        for (char& c : name) {
            if (random.bounded(2))
                c = (c >= 'a' && c <= 'z') ? char(c - 32) : c;
        }
        return name;
    };
    const QList<QByteArray> sections {"Console", "01", "02", "caf\xe9", "x"};
    const QList<QByteArray> keys {"01", "ext1", "romname", "emu1", "cl\xe9", "k"};
    const QList<QByteArray> blanks {"", " ", "\t", "  \t "};
    const QList<QByteArray> ends {"\r\n", "\n", "\r"};
    const QList<QByteArray> oddLines {"; comment", ";k=hidden", "noequals", "=nokey", "[broken", "   ", "#k=h"};
    QList<CorpusFile> files;
    for (int i = 0; i < count; ++i) {
        QByteArray bytes;
        const QByteArray end = pick(ends);
        for (int s = random.bounded(1, 4); s > 0; --s) {
            bytes += pick(blanks) + "[" + pick(blanks) + randomCase(pick(sections)) + pick(blanks) + "]" + end;
            for (int k = random.bounded(0, 7); k > 0; --k) {
                if (random.bounded(5) == 0) {
                    bytes += pick(oddLines) + end;
                    continue;
                }
                QByteArray value;
                for (int length = random.bounded(0, random.bounded(4) ? 20 : 200); length > 0; --length)
                    value += char(random.bounded(5) ? random.bounded(0x20, 0x7F) : random.bounded(0x80, 0x100));
                const QByteArray quote = pick({"", "", "\"", "'"});
                bytes += pick(blanks) + randomCase(pick(keys)) + pick(blanks) + "=" + pick(blanks) + quote
                    + value.trimmed() + (random.bounded(4) ? quote : QByteArray()) + pick(blanks) + end;
            }
        }
        CorpusFile file {QStringLiteral("generated-%1").arg(i), bytes, {}};
        for (int q = 0; q < 8; ++q) {
            const ProfileQuery query {randomCase(pick(sections)), randomCase(pick(keys)), 0};
            for (const int size : {1, 2, 3, 8, 21, 126, 127})
                file.queries.append({query.section, query.key, size});
        }
        files << file;
    }
    return files;
}

} // namespace

QList<CorpusFile> profileCorpus(const QByteArray& shippedCatalogue)
{
    return handWritten(shippedCatalogue) + generated(300);
}
