#pragma once

// Seeded random calculations for the differential test: tables as users and imports leave
// them, with typed, half-typed and broken dates, amounts in every written form, rates per
// row, stale computed cells, and table inputs that range from sound to unreadable.

#include <QDate>
#include <QString>
#include <cstdint>
#include <random>

#include "core/Calculation.h"

namespace randomtables {

class Generator {
  public:
    explicit Generator(std::uint32_t seed);

    // Replaces the table, the inputs, the totals, the direction and the current cell.
    void fill(core::Calculation& calc);
    // Changes a few things as a user between two commands would: cells, inputs, the
    // current cell, sometimes a row more or less.
    void edit(core::Calculation& calc);

  private:
    bool chance(double probability);
    int between(int low, int high);
    template <typename T, std::size_t N>
    const T& oneOf(const T (&choices)[N]) {
        return choices[between(0, static_cast<int>(N) - 1)];
    }

    void fillInputs(core::TableInputs& inputs);
    void fillRow(core::Calculation& calc, int row);
    QString dateText(const QDate& date);
    QString badDateText();
    QString amountText();
    QString badAmountText();
    QString rateText();
    QString staleText();
    void editCell(core::Calculation& calc, int row);
    void editInput(core::TableInputs& inputs);

    std::mt19937 rng_;
    bool messy_ = false;
    QDate date_;
};

}  // namespace randomtables
