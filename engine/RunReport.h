#pragma once
// The execution report of the main window (the "Rapport" tab).
class TForm1;

void buildReportTab(TForm1* form);
// The start of a run: numbered files of the last run deleted, numbering back to "000001".
void StartReport(TForm1* form);
// The end of a run: the report files written when "Créer un rapport" is on.
void EndReport(TForm1* form);
