#pragma once
// Registers the report sheet writers the program has with the report driver. Called once at
// start-up; a report whose writer is registered already keeps it.
void RegisterReportSheetWriters();
