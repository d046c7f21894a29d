// Required time of long date ranges, as reports and the worksheet ask for it.

#include "calendar/Calendar.h"
#include "foundation/DateTime.h"

#include <benchmark/benchmark.h>

namespace {

// An office week and about a dozen holidays a year with a mix of rules.
std::shared_ptr<TCalendar> MakeCalendar(int firstYear, int years) {
    auto calendar = std::make_shared<TCalendar>();
    const double hours[7] = {8, 8, 8, 8, 6, 0, 0};
    for (int day = 1; day <= 7; ++day)
        calendar->Week()->GetDay(day)->SetWorkTime(hours[day - 1] / 24.0);
    const int dates[][2] = {{1, 1},  {1, 6},  {4, 1},   {5, 1},   {5, 9},   {5, 20}, {6, 15},
                            {10, 3}, {11, 1}, {12, 24}, {12, 25}, {12, 26}, {12, 31}};
    int n = 0;
    for (int year = firstYear; year < firstYear + years; ++year) {
        for (const auto& md : dates) {
            auto holiday = calendar->Holidays()->AddNew(EncodeDate(year, md[0], md[1]));
            auto rule = holiday->DefaultWorktime();
            switch (n++ % 3) {
            case 0:
                break; // no rule: a free day
            case 1:
                rule->SetIsPercentage(true);
                rule->SetWorktimePercentage(0.5);
                break;
            default:
                rule->SetIsNegative(true);
                rule->SetWorktimeAbsolute(2.0 / 24.0);
                break;
            }
        }
    }
    return calendar;
}

void BM_WorkTimeTenYears(benchmark::State& state) {
    const auto calendar = MakeCalendar(2015, 10);
    const double from = EncodeDate(2015, 1, 1);
    const double to = EncodeDate(2024, 12, 31);
    for (auto _ : state)
        benchmark::DoNotOptimize(calendar->GetWorkTime(from, to));
    state.SetItemsProcessed(state.iterations() * 10); // years
}
BENCHMARK(BM_WorkTimeTenYears)->Unit(benchmark::kMicrosecond);

void BM_GetDayOneYear(benchmark::State& state) {
    const auto calendar = MakeCalendar(2024, 1);
    const double from = EncodeDate(2024, 1, 1);
    for (auto _ : state) {
        double sum = 0;
        for (int i = 0; i < 366; ++i)
            sum += calendar->GetDay(from + i)->WorkTime();
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_GetDayOneYear)->Unit(benchmark::kMicrosecond);

} // namespace
