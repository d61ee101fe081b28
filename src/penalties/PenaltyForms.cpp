#include "penalties/PenaltyForms.h"

#include "penalties/PenaltyValidation.h"
#include "problem/CTDoc.h"

namespace zarvic {

void StorePenaltyFormExtras(PenaltyWindowClass cls, PenaltyRecord& record, DayNumber taxDate) {
  switch (cls) {
    case PenaltyWindowClass::C6651A3:
      record.m_dates[6] = NO_DATE;
      break;
    case PenaltyWindowClass::C6653A0:
      record.m_amounts[1] = 0.0;
      record.m_amounts[2] = 0.0;
      break;
    case PenaltyWindowClass::C6653A1:
      record.m_dates[0] = NO_DATE;
      break;
    case PenaltyWindowClass::C6653A8:
      record.m_dates[1] = record.m_dates[0];
      break;
    case PenaltyWindowClass::C6653B82:
      record.m_dates[0] = taxDate;
      record.m_dates[2] = taxDate;
      record.m_amounts[1] = 0.0;
      record.m_amounts[2] = 0.0;
      break;
    case PenaltyWindowClass::C6653B:
      record.m_dates[0] = taxDate;
      break;
    case PenaltyWindowClass::C6653B89:
      record.m_dates[1] = taxDate;
      break;
    default:
      break;
  }
  record.SetRate(record.m_rate);  // every window keeps the rate a whole percent
}

bool PenaltyFormOk(CTDoc& doc, int k, PenaltyWindowClass cls, bool activate) {
  doc.RecomputeTaxTotals();
  PenaltyRecord& record = doc.m_penalties[k];
  StorePenaltyFormExtras(cls, record, doc.TaxDate);
  record.SetFlag(PEN_ACTIVE, activate);
  return ValidatePenalty(doc, k, true);
}

void PenaltyFormCancel(CTDoc& doc, int k, const PenaltyRecord& opened) {
  doc.m_penalties[k] = opened;
  ValidatePenalty(doc, k, false);
}

std::array<int, kNoticeRows> NoticeSlots(int k) {
  if (k == kPenaltyFailureToPayAssessment) return {0, 1, 2, 3, 7, 10};
  return {1, 2, 3, 4, 7, 10};
}

int LevySlot(int k) {
  return k == kPenaltyFailureToPayAssessment ? 4 : 5;
}

int JeopardySlot(int k) {
  return k == kPenaltyFailureToPayAssessment ? 5 : 6;
}

NoticeRows ReadNoticeRows(const PenaltyRecord& record, int k) {
  NoticeRows rows;
  const auto slots = NoticeSlots(k);
  const DayNumber levy = record.m_dates[LevySlot(k)];
  const DayNumber jeopardy = record.m_dates[JeopardySlot(k)];
  for (int i = 0; i < kNoticeRows; ++i) {
    NoticeRow& row = rows[i];
    row.date = record.m_dates[slots[i]];
    row.levy = IsDate(levy) && row.date == levy;
    row.jeopardy = IsDate(jeopardy) && row.date == jeopardy;
    row.tenDays = (record.m_graceBits >> i) & 1;
  }
  return rows;
}

void StoreNoticeRows(PenaltyRecord& record, int k, const NoticeRows& rows) {
  const auto slots = NoticeSlots(k);
  DayNumber& levy = record.m_dates[LevySlot(k)];
  DayNumber& jeopardy = record.m_dates[JeopardySlot(k)];
  levy = NO_DATE;
  jeopardy = NO_DATE;
  std::uint16_t grace = static_cast<std::uint16_t>(record.m_graceBits & ~0x003F);
  for (int i = 0; i < kNoticeRows; ++i) {
    const NoticeRow& row = rows[i];
    record.m_dates[slots[i]] = row.date;
    if (row.levy) levy = row.date;
    if (row.jeopardy) jeopardy = row.date;
    if (row.tenDays) grace = static_cast<std::uint16_t>(grace | (1u << i));
  }
  record.m_graceBits = grace;
}

void ChooseLevyRow(NoticeRows& rows, int row) {
  for (int i = 0; i < kNoticeRows; ++i) rows[i].levy = i == row;
}

void ChooseJeopardyRow(NoticeRows& rows, int row) {
  for (int i = 0; i < kNoticeRows; ++i) rows[i].jeopardy = i == row;
}

}  // namespace zarvic
