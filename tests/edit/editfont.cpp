#include "edit/editfont.h"

#include <sstream>

#include "output/savetest.h"
#include "settings/journal.h"

std::vector<std::string> Rows(const Font* pFont, uint16_t code, int height) {
  std::vector<std::string> rows;
  const int width = pFont->aCharInfo[code].BoxWidth;
  for (int y = 0; y < height; ++y) {
    std::string row;
    for (int x = 0; x < width; ++x) {
      const int v = FONT_GetPixel(pFont, code, x, y);
      row += v < 0 ? 'f' : "0123456789ABCDEF"[v];
    }
    rows.push_back(row);
  }
  return rows;
}

void SetRows(Font* pFont, uint16_t code, const std::vector<std::string>& rows, int boxLeft, int boxTop,
             int cursorDist) {
  const int width = rows.empty() ? 0 : static_cast<int>(rows[0].size());
  AddChar(pFont, code, width, static_cast<int>(rows.size()),
          [&](int x, int y) {
            const char c = rows[y][x];
            return c == 'f' ? -1 : (c >= 'A' ? c - 'A' + 10 : c - '0');
          },
          boxLeft, boxTop, cursorDist);
}

std::vector<std::string> JournalLines() {
  std::vector<std::string> lines;
  std::istringstream in(JOURNAL_GetText());
  std::string line;
  while (std::getline(in, line)) {
    const size_t end = line.find_last_not_of(" *\r");
    lines.push_back(end == std::string::npos ? "" : line.substr(0, end + 1));
  }
  return lines;
}
