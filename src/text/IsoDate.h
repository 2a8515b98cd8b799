// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Dates as Data.ini stores them ("2026-12-08"), counted in days from 1970-01-01 like the scheduler's
// local minutes, so that a stored date and a minute meet without a calendar in between.
namespace text {

// Exactly "YYYY-MM-DD" naming a day of the calendar (2025-02-30 is none); nullopt for anything else.
std::optional<std::int64_t> parseIsoDate(std::string_view text);

std::string isoDate(std::int64_t day);

} // namespace text
