#pragma once

// Problems for the results and special-rate window tests, computed on the shipped FEDERAL.TB3.

#include <QApplication>
#include <QLineEdit>
#include <QtTest>
#include <memory>
#include <string>
#include <vector>

#include "core/Dates.h"
#include "problem/CTDoc.h"
#include "ratetables/TableFile.h"

namespace zarvic::testing {

struct GuiEvent {
  std::uint16_t type;
  const char* date;
  double dollars;
};

// A problem on the federal table with the given events (dollars).
inline std::unique_ptr<CTDoc> FederalProblem(const std::vector<GuiEvent>& events) {
  auto doc = std::make_unique<CTDoc>();
  if (!LoadTable(doc->m_rateTable, ZARVIC_BINARY_DIR "/FEDERAL.TB3", false)) return nullptr;
  doc->m_header.m_tableName.SetText("FEDERAL");
  for (std::size_t i = 0; i < events.size(); ++i) {
    CEvent& e = doc->m_events[i];
    e.m_type = events[i].type;
    e.m_date = ParseDate(events[i].date);
    e.m_amount = events[i].dollars * 100;
  }
  return doc;
}

// Types text into a line edit as a person would: the focus, the old text selected and replaced.
inline void TypeInto(QLineEdit* edit, const QString& text) {
  edit->setFocus(Qt::TabFocusReason);
  edit->selectAll();
  QTest::keyClicks(edit, text);
}

}  // namespace zarvic::testing
