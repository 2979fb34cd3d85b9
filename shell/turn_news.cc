#include "shell/turn_news.h"

#include <string_view>

#include "shell/control_table.h"
#include "view/control_ids.h"
#include "view/date_display.h"

namespace townwright {
namespace {

// A figure's or a date's text without the blank where its sign would go: a screen reader would
// say nothing of it, and braille would show it.
std::string_view WithoutLeadingBlanks(std::string_view text) {
  const std::size_t start = text.find_first_not_of(' ');
  return start == std::string_view::npos ? std::string_view() : text.substr(start);
}

// "January 2, 2008", as the date boxes show it. (Appended in place: the page downloads this code.)
void AppendDate(std::string& news, const CityState& city) {
  news.append(city.MonthName)
      .append(" ")
      .append(WithoutLeadingBlanks(city.DayText))
      .append(", ")
      .append(WithoutLeadingBlanks(city.YearText));
}

int ChoicesOffered(const CityState& city) {
  int offered = 0;
  for (int k = 1; k <= kChoiceButtons; ++k) {
    if (!WithoutLeadingBlanks(city.ChoiceText[k]).empty()) ++offered;
  }
  return offered;
}

}  // namespace

ShownFigures FiguresShown(const CityState& city) {
  ShownFigures figures;
  for (int k = 1; k <= kIndicatorCount; ++k) figures[k] = city.IndicatorText[k];
  return figures;
}

std::string TurnNews(const ShownFigures& before, const CityState& city) {
  std::string news;
  AppendDate(news, city);
  std::string_view separator = ". ";
  for (int k = 1; k <= kIndicatorCount; ++k) {
    if (city.IndicatorText[k] == before[k]) continue;
    news.append(separator)
        .append(FindControlLayout(control_id::IndicatorBox(k))->heading)
        .append(" ")
        .append(WithoutLeadingBlanks(city.IndicatorText[k]));
    separator = "; ";
  }
  const int offered = ChoicesOffered(city);  // 1 to 9: slot 1 always does nothing
  news.append(". ").append(1, static_cast<char>('0' + offered));
  news.append(offered == 1 ? " new choice." : " new choices.");
  return news;
}

std::string ResumedGameNews(const CityState& city) {
  std::string news = "The game goes on";
  if (TurnPlayed(city)) AppendDate(news.append(": "), city);
  return news.append(".");
}

}  // namespace townwright
