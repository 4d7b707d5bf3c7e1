#pragma once
// The modal dialog "dlgListTemplates": the template library, from which the user opens template
// editors on the main frame's tabs.

class TfrmMain;

void ShowTemplateList(TfrmMain* frame);
