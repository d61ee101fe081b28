#pragma once

// Problem files the reader must refuse, each with the status and the reason it gives: one table for the
// reader itself, the window's open and the unattended runs.

#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "problem/ProblemFile.h"
#include "problem/ProblemImage.h"

namespace zarvic::testing {

struct DamagedFile {
  std::string what;  // also the file's base name where the files are written: no blanks
  std::string bytes;
  std::optional<ProblemReadStatus> status;  // nullopt: any refusal (random bytes)
  std::string reason;                       // empty: any reason
};

inline std::vector<DamagedFile> DamagedProblemFiles() {
  using S = ProblemReadStatus;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const std::string date = " holds a date after 12-31-2099, where the calendar ends";
  const std::string amount =
      " holds an amount that is not a number between -$99,999,999,999,999.98 and $99,999,999,999,999.98";
  const EventSpec tax{.type = 0, .date = Day("04-15-95"), .amount = 100000, .gattAmount = 100000};
  const EventSpec pay{.type = 2, .date = Day("06-15-95"), .amount = 5000, .gattAmount = 5000};
  const std::string allocation = Allocation852("ADBEC", {5000});

  // A file of one tax and one payment as this version writes it, with one thing changed.
  struct Change {
    HeaderSpec header{};
    std::vector<PenaltySpec> penalties{};
    EventSpec tax;
    EventSpec pay;
    std::string allocation;
  };
  auto file = [](Change c) {
    c.header.eventCount = 2;
    return HeaderImage(c.header) + Penalties88(c.penalties) + EventImage42(c.tax) + EventImage42(c.pay) +
           c.allocation;
  };
  const Change base{.tax = tax, .pay = pay, .allocation = allocation};
  const std::string good = file(base);
  const std::size_t events = 848 + 25 * 88;

  std::vector<DamagedFile> files;
  auto add = [&](std::string what, std::string bytes, std::optional<S> status, std::string reason) {
    files.push_back({std::move(what), std::move(bytes), status, std::move(reason)});
  };
  auto changed = [&](auto change) {
    Change c = base;
    change(c);
    return file(c);
  };

  // The header.
  add("version-F0", changed([](Change& c) { c.header.major = 0xF0; }), S::Damaged,
      "the format version -16.4 is not one that Zarvic knows");
  add("minor-80", changed([](Change& c) { c.header.minor = 0x80; }), S::Damaged,
      "the format version 101.-128 is not one that Zarvic knows");
  add("compute-date",
      changed([](Change& c) { c.header.computeDate = static_cast<std::uint16_t>(kLastCalendarDay + 1); }),
      S::Damaged, "the header" + date);
  add("hot-date", changed([](Change& c) { c.header.hotDates[0] = 0xF000; }), S::Damaged, "the header" + date);
  add("gatt-threshold-nan", changed([&](Change& c) { c.header.gattThreshold = nan; }), S::Damaged,
      "the header" + amount);

  // Penalty records.
  auto penalty = [&](int k, auto change) {
    return changed([&](Change& c) {
      c.penalties.resize(24);
      change(c.penalties[static_cast<std::size_t>(k)]);
    });
  };
  add("penalty-date", penalty(3, [](PenaltySpec& p) { p.dates[5] = 60000; }), S::Damaged,
      "penalty record 4" + date);
  add("penalty-amount-inf", penalty(3, [&](PenaltySpec& p) { p.amounts[1] = inf; }), S::Damaged,
      "penalty record 4" + amount);
  add("penalty-rate-nan", penalty(23, [&](PenaltySpec& p) { p.rate = nan; }), S::Damaged,
      "penalty record 24" + amount);

  // Events, with their checksums as a writer elsewhere would give them.
  add("event-type", changed([](Change& c) { c.tax.type = 12; }), S::Damaged,
      "event 1 has the event type 12, which Zarvic does not know");
  add("event-type-free", changed([](Change& c) { c.pay.type = 0xFFFF; }), S::Damaged,
      "event 2 has the event type 65535, which Zarvic does not know");
  add("event-date", changed([](Change& c) { c.tax.date = 0xF000; }), S::Damaged, "event 1" + date);
  add("amount-nan", changed([&](Change& c) { c.tax.amount = nan; }), S::Damaged, "event 1" + amount);
  add("amount-minus-inf", changed([&](Change& c) { c.pay.amount = -inf; }), S::Damaged, "event 2" + amount);
  add("amount-too-large", changed([](Change& c) { c.tax.amount = 1e300; }), S::Damaged, "event 1" + amount);
  add("gatt-amount-nan", changed([&](Change& c) { c.tax.gattAmount = nan; }), S::Damaged, "event 1" + amount);
  add("balance-inf", changed([&](Change& c) { c.pay.balof = inf; }), S::Damaged, "event 2" + amount);
  add("applied-nan", changed([&](Change& c) {
        c.allocation = Allocation852("ADBEC", {5000, 0, 0, nan});
      }),
      S::Damaged, "the payment allocation of event 2" + amount);
  add("designated-inf", changed([&](Change& c) { c.allocation = Allocation852("ADBEC", {5000}, {inf}); }),
      S::Damaged, "the payment allocation of event 2" + amount);
  std::string unchecked = good;
  unchecked.replace(events + 4, 8, Bytes().F64(nan).str());  // the checksum no longer fits
  add("amount-nan-unchecked", unchecked, S::BadChecksum,
      "event 1 was changed after it was written (its checksum does not match)");

  // Records that do not fit the file.
  add("short-header", good.substr(0, 800), S::Truncated, "the file ends inside the header");
  add("short-penalty", good.substr(0, 848 + 100), S::Truncated, "the file ends inside penalty record 2");
  add("short-event", good.substr(0, events + 41), S::Truncated, "the file ends inside event 1");
  add("short-allocation", good.substr(0, good.size() - 1), S::Truncated,
      "the file ends inside the payment allocation of event 2");
  std::string moreEvents = good;
  moreEvents.replace(168, 2, Bytes().U16(3).str());
  add("count-beyond-file", moreEvents, S::Truncated, "the file ends inside event 3");
  add("short-description",
      HeaderImage({.eventCount = 2}) + Penalties88({}) + EventImage42(tax) +
          EventImage42({.type = 7, .date = Day("05-15-95"), .amount = 10, .descriptionMarker = 1}) +
          Description41("Debit").substr(0, 20),
      S::Truncated, "the file ends inside the description of event 2");

  // The old layout: records without checksums, then the blocks.
  add("old-event-type",
      HeaderImage({.eventCount = 1, .major = 2, .minor = 20, .penaltyCount = 24}) + Penalties80({}, 24) +
          EventImage42({.type = 40, .date = Day("04-15-95"), .amount = 1}, false),
      S::Damaged, "event 1 has the event type 40, which Zarvic does not know");
  add("old-applied-nan",
      HeaderImage({.eventCount = 1, .major = 96, .minor = 2, .penaltyCount = 24}) + Penalties80({}, 24) +
          EventImage42(pay, false) + Allocation852("ADBEC", {nan}),
      S::Damaged, "the payment allocation of event 1" + amount);

  // Random bytes of a few sizes, behind the version bytes of this program, so that the damage must be
  // found in the values.
  std::mt19937 random(25);
  for (std::size_t size : {3048u, 20000u, 200000u}) {
    std::string bytes(size, '\0');
    for (char& b : bytes) b = static_cast<char>(random());
    bytes[744] = 101;
    bytes[745] = 4;
    add("random-" + std::to_string(size), bytes, std::nullopt, "");
  }
  return files;
}

}  // namespace zarvic::testing
