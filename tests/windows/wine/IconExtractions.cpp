// What ExtractIconExW gives for icon files, through our icon extraction.
#include "Commands.h"
#include "Exchange.h"

#include "platform/win32/IconExtraction.h"

#include <vector>

namespace commands {
namespace {

void addPicture(exchange::Record& answer, const win32::IconPixels& picture)
{
    std::string bytes;
    for (const std::uint32_t pixel : picture.argb) {
        for (int shift = 24; shift >= 0; shift -= 8)
            bytes += static_cast<char>((pixel >> shift) & 0xFF);
    }
    answer.push_back(std::to_string(picture.width));
    answer.push_back(std::to_string(picture.height));
    answer.push_back(exchange::toHex(bytes));
}

} // namespace

int iconExtractions(const std::wstring& requests, const std::wstring& answers)
{
    std::vector<exchange::Record> results;
    for (const exchange::Record& request : exchange::readRecords(requests)) {
        if (request.size() < 2)
            return 2;
        const std::wstring file = exchange::fromUtf8(exchange::fromHex(request[1]));
        if (request[0] == "count") {
            results.push_back({std::to_string(win32::extractIcons(file, -1, nullptr, nullptr))});
            continue;
        }
        if (request[0] != "icon" || request.size() != 3)
            return 2;
        // The result and the large picture as the program asks for them, both sizes at once; the
        // small picture alone, as wine gives another icon's when both are asked for together.
        const int index = std::stoi(request[2]);
        win32::IconPixels large;
        win32::IconPixels small;
        exchange::Record answer {std::to_string(win32::extractIcons(file, index, &large, &small))};
        win32::extractIcons(file, index, nullptr, &small);
        addPicture(answer, large);
        addPicture(answer, small);
        results.push_back(answer);
    }
    return exchange::writeRecords(answers, results) ? 0 : 2;
}

} // namespace commands
