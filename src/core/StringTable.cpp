#include "core/StringTable.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <iterator>

namespace zarvic {
namespace {

// Sorted by id; StringText relies on it. Texts are kept exactly as shown, trailing blanks included.
constexpr StringEntry kStrings[] = {
    {14, "Zarvic Version  %s"},
    {1009, "10 days"},
    {1010, "21 days"},
    {18000, "6621(c) starting date is before the tax due date"},
    {18002,
     "CAUTION: 120% motivated rate for tax after 12-31-89.  The 120% rate was repealed in 1989.  However, "
     "the rate continues to apply to returns due before 1990.\n\nZarvic will use the 120% rate, but make "
     "certain that the rate applies to this underpayment."},
    {18003,
     "Caution:  Motivated tax on less than $1,000.\n\nGenerally, motivated rates applies to amounts over "
     "$1,000.  Zarvic will use the motivated rate, but please make certain that the underpayment is subject "
     "to the higher rate"},
    {18004,
     "No interest rate table is loaded.  Please click on the \"Tables...\" icon and select an interest rate "
     "table."},
    {18005, "There are no events to compute."},
    {18006,
     "This problem has an event prior to earliest date in the interest rate table.  Zarvic cannot perform "
     "the computation."},
    {18007,
     "The accuracy penalty base is too large.\n\n For returns due after 1989, there is no stacking of the "
     "accuracy-related penalties.  The amounts entered as subject to these penalties add up to more than the "
     "tax amounts on the main screen. "},
    {18008,
     "Warning:  Zarvic does not compute state penalties.  Zarvic will compute penalty amounts as if they "
     "followed the federal rules, but the state rules are likely to differ from federal computations."},
    {18009,
     "In order to compute interest under Section 6621(c), please enter a \"30-day letter\" or \"applicable\" "
     "date."},
    {18010, "Warning: Compute date is before the last event"},
    {18012, "Payment cannot be allocated"},
    {18013, "Test Complete\nSee *.TS for results"},
    {18014, "Compute date is before the first event date"},
    {18015, "Warning: You have active IRS penalties but do not have the FEDERAL interest rate table loaded."},
    {18016,
     "You have more than 5 IRS check events.  Zarvic will only allow you to allocate the first 5 checks."},
    {18017,
     "You can not allocate payments after being in a refund situation.\nPress F1 for possible solutions to "
     "this problem."},
    {18500, "Tax"},
    {18501, "Interest"},
    {18502, "Motivated Tax"},
    {18503, "Motivated Interest"},
    {18504, "Entered Penalties"},
    {18505, "Penalty Interest"},
    {18506, "Failure to File"},
    {18507, "Failure to Pay Tax Shown"},
    {18508, "Failure to Pay Assessment"},
    {18509, "Negligence"},
    {18510, "Fraud"},
    {18511, "Not used"},
    {18512, "Not used"},
    {18513, "Valuation Overstatement -- Income Tax"},
    {18514, "Overstatement of Pension Liabilities"},
    {18515, "Valuation Understatement -- Estate/Gift"},
    {18516, "Substantial Understatement of Tax"},
    {18517, "Negligence"},
    {18518, "Substantial Understatement -- Liability"},
    {18519, "Valuation Misstatement"},
    {18520, "Overstatement of Pension Liabilities"},
    {18521, "Valuation Understatement -- Estate/Gift"},
    {18522, "Fraud"},
    {18523, "Failure to File - Ca"},
    {18524, "Failure to Pay Tax Shown - Ca"},
    {18525, "Failure to Pay Assessment - Ca"},
    {18526, "Negligence - Ca"},
    {18527, "Fraud - Ca"},
    {18528, "Not used"},
    {18529, "Failure to File"},
    {18549, "Tax"},
    {18550, "Tax or IRS Check"},
    {18551, "Interest"},
    {18552, "Motivated tax"},
    {18553, "Motivated interest"},
    {18554, "User penalties"},
    {18555, "Penalty interest"},
    {18556, "6651(a)(1)"},
    {18557, "6651(a)(2)"},
    {18558, "6651(a)(3)"},
    {18559, "6653(a)"},
    {18560, "6653(b)"},
    {18561, "Open - not used"},
    {18562, "Open - not used"},
    {18563, "6659"},
    {18564, "6659A"},
    {18565, "6660"},
    {18566, "6661"},
    {18567, "6662(c)"},
    {18568, "6662(d)"},
    {18569, "6662(e)"},
    {18570, "6662(f)"},
    {18571, "6662(g)"},
    {18572, "6663"},
    {18573, "18681"},
    {18574, "18684.2"},
    {18575, "18684.2"},
    {18576, "18684"},
    {18577, "18684"},
    {18578, "6621(c)Hot Interest"},
    {18579, "6651(a)(1)"},
    {18580, "Stop Hot Interest"},
    {18599, "Large corp. rate increase"},
    {18800, "Active Penalties:  "},
    {18801, "Failure to Pay Tax Shown on Return -- IRC  6651(a)(2)"},
    {18802, "Failure to Pay Assessment -- IRC  6651(a)(3)"},
    {18803, "Negligence -- IRC  6653(a)"},
    {18804, "Fraud -- IRC  6653(b)"},
    {18807, "Valuation Overstatement--Income Tax -- IRC  6659"},
    {18808, "Overstatement of Pension Liabilities -- IRC  6659(a)"},
    {18809, "Valuation Understatement Estate/Gift -- IRC  6660"},
    {18810, "Substantial Understatement of Income Tax -- IRC  6661"},
    {18811, "Negligence -- IRC  6662(c)"},
    {18812, "Substantial Understatement of Income Tax -- IRC  6662(d)"},
    {18813, "Valuation Misstatement -- IRC  6662(e)"},
    {18814, "Overstatement of Pension Liabilities -- IRC  6662(f)"},
    {18815, "Valuation Understatement Estate/Gift -- IRC  6662(g)"},
    {18816, "Fraud -- IRC  6663"},
    {18817, "18681 - CA penalty list"},
    {18818, "18684.2 - penalty list"},
    {18819, "18684.? - penalty list"},
    {18820, "18684 - penalty list"},
    {18821, "18684 - penalty list"},
    {18822, "Hot Interest -- IRC  6621(c)"},
    {18823, "Failure to File Return When Due -- IRC  6651(a)(1)"},
    {18900, "Click on the penalties button in the toolbar to view active penalties"},
    {18901, "None"},
    {19100, "Event"},
    {19101, "Date"},
    {19102, "Amount "},
    {19103, "Description"},
    {19110, "Table:"},
    {19111, "Name:"},
    {19112, "ID:"},
    {19113, "# DO NOT REMOVE THIS"},
    {19114, "Tax"},
    {19115, "Motiv. Tax"},
    {19116, "Payment"},
    {19117, "Deposit"},
    {19118, "Penalty"},
    {19119, "Stop Int"},
    {19120, "Start Int"},
    {19121, "Debit"},
    {19122, "Credit"},
    {19123, "IRS Check"},
    {19124, "Penalty"},
    {19125, "Penalty"},
    {19126, "Unallocated amount of deposit"},
    {19200,
     "Penalties are not available either because there is no underpayment, or there are multiple tax due "
     "events."},
    {19202, "No payments to print"},
    {19203, "Can't find the interest rate table that was used with this file (%s)."},
    {19204, "Invalid interest rate table"},
    {19205, "Grand Totals"},
    {19206, "%d Totals"},
    {19207, "No Federal Table Found"},
    {19208,
     "Zarvic only accepts whole numbers in the percent field.  The number was rounded to the nearest whole "
     "number."},
    {19400, "Amount entered is larger than amount of tax due"},
    {19401,
     "Please enter a date that is on or after the tax date you entered on the main screen.  The date format "
     "should be MM-DD-YY."},
    {19402, "Please enter the date the return was filed."},
    {19403, "Please enter a valid deficiency notice date."},
    {19405, "Dates are out of order.  Please make sure all dates are in order."},
    {19406, "Please enter a valid date for the extended payment date."},
    {19407, "Please enter a valid notice date."},
    {19408,
     "The amount subject to the interest-related portion of the penalty is too large.  Please check the "
     "amount you entered on the main screen and compare it to the amount entered in this dialog box."},
    {19409,
     "The amount subject to the motivated rate is too large.  Please check the amount you entered on the "
     "main screen and compare it to the amount entered in this dialog box."},
    {19410, "Please enter a valid tax assessment date."},
    {19411,
     "Caution:  The penalty rate for this item is usually 10%, 20%, or 30%.  Zarvic will use the rate you "
     "entered, but beware this is not a standard rate.  Any penalty rate will be rounded to the whole "
     "percent."},
    {19412,
     "Caution:  The penalty rate for this item is usually 20% or 40%.  Zarvic will use the rate you entered, "
     "but beware this is not a standard rate.  Any penalty rate will be rounded to the whole percent."},
    {19414,
     "Caution:  The assessed amount exceeds the amount due on the date of the notice.  Please check the "
     "amounts of tax and payments on the main screen and compare them to the amount entered in this dialog "
     "box."},
    {19415,
     "Caution:  The total of the assessed amounts in the Failure to Pay Assessment penalty window may exceed "
     "the amount due on the date of the notice.\n\nZarvic will use the amounts you entered in the window, "
     "but you may want to check these amounts."},
    {19416, "Please enter a valid tax assessment date."},
    {19417,
     "The amounts entered in this window are inconsistent.  Please review the amounts and make appropriate "
     "corrections."},
    {19418, "The Tax Assessment date must be on or before the Notice date."},
    {19419, "Please enter a valid due date with extensions"},
    {19420, "In order to reinstate the penalty to 0.5%, please enter a penalty reduction date."},
    {19426,
     "There is no printer to print to OR the number of lines per page supported by the printer is not "
     "compatable with Zarvic."},
    {20001,
     "This table was created with a newer version of Zarvic than the one you are currently running.  The "
     "table cannot be loaded with this older version.  Contact Orlendt Software for the newer version of "
     "Zarvic."},
    {20002, "Rate Tables (*.TB3) |*.TB3|Old Rate Tables (*.TB2)|*.TB2|All Files|*.*||"},
    {20003, "\"Hot\" Interest Information -- IRC  6621(c)"},
    {20004,
     "This file was created with a newer version of Zarvic than the one you are currently running.  The file "
     "cannot be loaded with this older version. "},
    {20007, "Rates current to "},
    {20008, "Save Changes?"},
    {20010, "Open Interest Rate Table"},
    {20011, "Error saving table"},
    {20012, "Delete current line?"},
    {20013, "Error reading file"},
    {20014,
     "Caution:  The \"Large corporate\" or Section 6621(c) \"Hot\" interest rate will be computed, but the "
     "deficiency is not over $100,000.\n\nGenerally \"Hot\" interest is limited to deficiencies over "
     "$100,000. "},
    {20015,
     "Caution:  The date to which interest is computed is after the last date in the interest rate "
     "table.\n\nZarvic will complete the computation, and will use the last known rate."},
    {20016, "No reports were selected.       "},
    {20017,
     "Zarvic has detected an Entered Penalty when the taxpayer has an overpayment.  Zarvic will run "
     "underpayment interest on the Entered Penalty and refund interest on the overpayment.  If you want the "
     "amounts to net, press F1 for help."},
    {20019,
     "Zarvic has detected that all or a portion of a deposit is not being consumed.  Press F1 for more "
     "information."},
    {20020,
     "Caution:  All or part of a Tax event is being offset (\"paid off\") by a GATT refund. The Tax event is "
     "reducing the GATT portion of the refund.\n\nIf you want the Tax event to reduce the High rate portion, "
     "use the Check from IRS event."},
    {20021,
     "Caution: GATT interest with multiple payment events\n\nZarvic has detected GATT interest and multiple "
     "payment events.  If the payment events are refunds for different years, you should create Zarvic "
     "separate problems for each year.\n"},
    {20022,
     "Caution: Zarvic has detected an underpayment of more than $100,000, but no \"Hot\" interest.  If you "
     "want to activate the two percentage point increase for large corporate underpayments, click on the "
     "\"Hot\" interest icon."},
    {20023, "Invalid Compute Date.\nPlease enter a valid date."},
    {20024, "Penalties have been turned off, and all penalty dates and amounts have been reset."},
    {20025,
     "This problem contains a C Corp refund and some time period that does not use daily compounding.  If "
     "the taxpayer is subject to GATT, determine the GATT and non GATT portions of the refund and run "
     "separate computations."},
    {20026, "CAUTION: User Table"},
    {20027,
     "Zarvic is looking for a file with the extension *.DM.  These files are needed to print and display "
     "reports.\n\nMake sure that these files are in the same folder as the Zarvic program."},
    {20028, "There are no events to compute."},
    {20030, "Unable to open %s"},
    {20031, "Report saved to %s"},
    {20032, "Please enter a valid date.\n(e.g., 04/15/96)"},
    {20033,
     "Invalid Table End Date\nEnter the date the table's rates run to in Table End Date, then save again."},
    {20034, "Negative numbers are not allowed here."},
    {20035, "Invalid compute date"},
    {20036, "Invalid rate"},
    {20038,
     "Caution:  This problem contains penalties that (for some time period) are not accumulating interest.  "
     "Payments are being applied to these penalties."},
    {20039,
     "The Zarvic Version 2.2 file you have attempted to open contains tax and payment events on the same "
     "day. \n\nDue to changes in the Windows version, the penalties have been turned off.  Please reactivate "
     "applicable penalties."},
    {20040,
     "WARNING\nTable end date is before the last event date in table.\nEnter an end date on or after %s, or "
     "delete the lines that start after the end date, then save again."},
    {20041, "That number is too large or too small for Zarvic to handle."},
    {20042, "You have allocated more than the payment amount."},
    {20043, "You have entered an amount larger than the check amount."},
    {20045,
     "You have a refund with simple interest and a later tax event.  Zarvic will not use refund interest to "
     "pay tax.  To net the amounts, create a separate problem showing only the net deficiency amount."},
    {20046,
     "In order to allocate a payment, events must be sorted in chronological order.  To sort events, click "
     "on Compute, or choose Sort from the Edit menu."},
    {20047, "Not a Zarvic file.  Files opened with Zarvic must have a ZR2 or ZR3 extension."},
    {20048,
     "The amount subject to the 6651(a)(2) failure to pay amount shown penalty plus the amount subject to "
     "the 6651(a)(3) failure to pay assessment penalty exceeds the amount of tax due.  The total should not "
     "exceed the tax due.  Press F1 for help."},
    {20049, "Not a Zarvic file.  Files opened with Zarvic must have a ZR2 or ZR3 extension"},
    {20050, "You have too many documents opened.\nPlease close some before opening or creating more."},
    {20051, "Unable to access disk"},
    {20052, "This date can not be on or before 12-31-97.  Please re-enter it."},
    {20053, "This date can not be on or before 12-31-97.  Please re-enter it."},
    {20054,
     "You have entered a second \"30 day notice\" date that is on or before 12-31-97.  This date must be "
     "after 12-31-97."},
    {20055,
     "You have entered a second \"applicable date\" that is on or before 12-31-97.  This date must be after "
     "12-31-97."},
    {21000, "USER Table"},
    {21001, "KBN Table"},
    {21003, "Yes"},
    {21004, "No"},
    {21005,
     "No penalty shall be imposed by reason of subsection (b) (3) unless the portion of the underpayment for "
     "the taxable year attributable to substantial valuation misstatements under chapter 1 exceeds $5,000 "
     "($10,000 in the case of a corporation other than an S corporation or a personal holding company (as "
     "defined in section 542 ))."},
    {21150, "the header"},
    {21151, "penalty record %d"},
    {21152, "event %d"},
    {21153, "the payment allocation of event %d"},
    {21154, "the description of event %d"},
    {21155, "the format version %d.%d is not one that Zarvic knows"},
    {21156, "the file ends inside %s"},
    {21157, "%s was changed after it was written (its checksum does not match)"},
    {21158, "%s has the event type %u, which Zarvic does not know"},
    {21159, "%s holds a date after 12-31-2099, where the calendar ends"},
    {21160,
     "%s holds an amount that is not a number between -$99,999,999,999,999.98 and $99,999,999,999,999.98"},
    {21161,
     "%s holds %s events, and a problem holds at most 1,000 events: the last %s, dated %s to %s, were left "
     "out."},
    {21162, "The file"},
    {21163,
     "%s held %s events when it was opened, and a problem holds at most 1,000 events: the last %s were left "
     "out. Saving over the file removes them from it for good.\n\nSave over it anyway?"},
    {21200,
     "%s\nis open in another Zarvic (process %d on %s). Changes saved there and here would overwrite each "
     "other.\n\nOpen it here all the same?"},
    {21201,
     "%s\nwas changed by another program after this problem was opened or saved.\n\nReplace it with this "
     "problem? No keeps the other version; Save As can save this problem under another name."},
    {21202, "%s\nis open in another Zarvic (process %d on %s).\n\nSave over it all the same?"},
    {21203,
     "Recovery copies of problems with unsaved changes cannot be written to %s: %s.\nSave your work now and "
     "then."},
    {21204,
     "Zarvic ended before the changes to this problem were saved (%d of %d):\n\nProblem: %s\nFile: "
     "%s\nTaxpayer: %s\nCopied: %s\n\nOpen the recovered problem? No discards the copy; Cancel keeps it for "
     "the next start."},
    {21205, "(never saved)"},
    {21210,
     "The rate table %s is not in the table folder %s, where a problem finds its table when it is opened "
     "again.\n\nCopy the table into the table folder?"},
    {21211,
     "The table folder already holds a different table %s.\nRename one of them, or choose that table; the "
     "problem keeps its table."},
    {21212, "The rate table %s could not be copied to %s: %s.\nThe problem keeps its table."},
    {21213,
     "The table name %s is too long: a problem file holds table names of at most %d characters.\nThe "
     "problem keeps its table."},
    {21220, "The settings store \"%s\" is in use by another program, which kept it locked for more than %d seconds."},
    {21221,
     "Zarvic says this once: settings changed from now on may not be saved either, until one is saved "
     "again."},
    {21222,
     "Zarvic says this once: other settings may not be read either and keep their defaults, until one is "
     "read again."},
    {21250,
     "Please enter an amount as digits with an optional sign, commas only between groups of three digits "
     "and at most one decimal point.\n(e.g., 1,234.56 or 1234.56)"},
    {21251, "Please enter a rate as a number with at most one decimal point and no commas.\n(e.g., 8.25)"},
    {21252,
     "This text holds characters that a Zarvic problem file cannot store.  Please use only the letters, "
     "digits and signs of Western European languages (Windows-1252): no CJK characters, no emoji."},
    {21253, "A problem holds at most 1,000 events.  Delete an event to make room for another."},
    {21254, "This will replace the events of the open problem with those of the CSV file.  OK to proceed?"},
    {21255,
     "A problem holds at most 1,000 events.  The import stopped there: %d more line(s) of the file, from "
     "line %d on, were not imported."},
    {21256,
     "%d line(s) of the file were not imported because they hold no event (an unknown event type, no valid "
     "date, or a missing, negative or too large amount).  Line numbers: %s."},
    {21257,
     "Line %d of the CSV file holds a description that a Zarvic problem file cannot store (%s).  Nothing "
     "was imported."},
    {21350, "No addition to tax: the tax after withholding is less than $1,000 (IRC 6654(e)(1))."},
    {21351, "No addition to tax: the tax after withholding is less than $500 (IRC 6654(e)(1))."},
    {21352,
     "No addition to tax: there was no tax liability for the prior year, a year of 12 months "
     "(IRC 6654(e)(2))."},
    {21353, "No addition to tax: the tax is less than $500 (IRC 6655(f))."},
    {21354, "No addition to tax: every required installment was paid in full by its due date."},
    {21355, "Enter a tax year from 1955 to 2098."},
    {21356, "A fiscal year must start on the first day of a month of the tax year."},
    {21357, "Enter the required annual payment, or the tax for the year."},
    {21358, "A farmer or fisherman has one installment: annualized installments do not apply."},
    {21359, "Only an individual can be a farmer or fisherman, or married filing separately."},
    {21360, "Every payment and every amount withheld needs a date."},
    {21361, "The amounts of the estimated tax worksheet cannot be negative."},
    {21362, "The interest rate table has no rates."},
    {21363, "The rates after the end of the interest rate table are those of its last line."},
    {21364, "No addition to tax: the underpayments add less than a cent by the date computed through."},
    {21370,
     "An estimated tax input starts with the line ESTTAX and one of INDIVIDUAL, CORPORATION or "
     "LARGECORP."},
    {21371, "Unknown keyword in an estimated tax input."},
    {21372, "A value of this line is missing, extra, or not the date, amount or year asked for."},
    {21373, "The amounts of an estimated tax input cannot be negative."},
    {21374, "This keyword was given before; the first line stands."},
    {21375, "Withholding is given either once as a total or on each date withheld, not both."},
    {21376, "Only one of INSTALLMENTS and ANNUALIZED can be given."},
    {21377, "A rate table name is a file name without a folder, at most 95 characters long."},
    {21400,
     "The return period needs its first and last day, and the last day may not come before the first."},
    {21401, "The return period is a quarter or a year: it may not be longer than a year."},
    {21402, "Each liability needs the date the tax was incurred."},
    {21403, "The liability of %s is not in the return period."},
    {21404, "The liability of %s may not be negative."},
    {21405, "The liability of %s needs its deposit due date."},
    {21406, "The deposit due date of the liability of %s comes before the liability."},
    {21407, "Each deposit needs its date."},
    {21408, "The deposit of %s must be more than zero."},
    {21409,
     "The deposit of %s is designated to a liability of %s, but the return period has no liability of that "
     "date."},
    {21410, "A deposit penalty input starts with the line DEPTAX."},
    {21411,
     "%s is not a keyword of a deposit penalty input (DEPTAX, PERIOD, LIABILITY, DEPOSIT, NOTICE, DEMAND, "
     "AVERAGED)."},
    {21412, "DEPTAX takes the deposit schedule: MONTHLY, SEMIWEEKLY or DATES."},
    {21413, "PERIOD takes the first and the last day of the return period."},
    {21414,
     "LIABILITY takes the date the tax was incurred, the amount and, when entered, the deposit due date."},
    {21415,
     "DEPOSIT takes the date, the amount, DIRECT when paid to the IRS instead of deposited, and the date of "
     "a designated liability."},
    {21416, "NOTICE takes the date of the first notice from the IRS."},
    {21417, "DEMAND takes the date of notice and demand for immediate payment."},
    {21418, "AVERAGED takes no value."},
    {21419, "%s may stand only once."},
    {21420, "%s is not a date."},
    {21421, "%s is not an amount."},
    {21422, "A deposit penalty input needs a PERIOD line."},
    {21430,
     "Accuracy of deposits (Treas. Reg. 31.6302-1(f)): a shortfall of no more than $100 or 2% of the "
     "deposit required, made up by its makeup date, bears no penalty."},
    {21431,
     "De minimis rule (Treas. Reg. 31.6302-1(f)(4)): the taxes of the period are less than $2,500 and were "
     "all paid by the due date of the return, so they count as deposited on time."},
    {21520, "%s already exists.\nDo you want to replace it?"},
    {21521, "The workbook was saved as %s, but no program opened it.\n\nDo you want to open its folder?"},
    {21522, "Report printed to %s"},
    {21523, "The settings were written to %s"},
    {21540, "Rate table saved to %s"},
    {21600,
     "The worksheets kept with this problem cannot be read: the file was changed or cut short after them.  "
     "The problem opens without them; saving it leaves them out."},
    {21601,
     "This problem keeps worksheets of a later version of Zarvic.  The problem opens without them; saving it "
     "leaves them out."},
    {21602, "Enter the date the penalty goes into the problem on: interest on it runs from that date (as a rule, "
            "the date of the notice that assessed it)."},
    {21603, "There is no penalty to add to the problem."},
    {21604, "This list is full.  Delete a row to make room for another."},
    {21605,
     "The worksheet shows no penalty now, but the problem still holds its \"%s\" event of %s for %s.\n\nRemove "
     "that event from the problem?"},
    {21620, "The problem has no payments or credits dated in the tax year that the list does not already hold."},
    {21622, "Please enter an amount to the cent: at most two digits after the decimal point.\n(e.g., 1,234.56)"},
    {32833,
     "Unable to write to report file.\nPossible problem:  You do not have full access rights to the program "
     "directory."},
};

}  // namespace

std::string_view StringText(int id) {
  auto it = std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                             [](const StringEntry& e, int key) { return e.id < key; });
  if (it == std::end(kStrings) || it->id != id) return {};
  return it->text;
}

bool HasString(int id) {
  return !StringText(id).empty();
}

std::string FormatStringText(int id, ...) {
  const std::string format(StringText(id));
  va_list args;
  va_start(args, id);
  va_list again;
  va_copy(again, args);
  const int size = std::vsnprintf(nullptr, 0, format.c_str(), args);
  va_end(args);
  std::string text(size > 0 ? static_cast<std::size_t>(size) : 0, '\0');
  if (size > 0) std::vsnprintf(text.data(), text.size() + 1, format.c_str(), again);
  va_end(again);
  return text;
}

std::span<const StringEntry> StringTableEntries() {
  return kStrings;
}

}  // namespace zarvic
