#pragma once
// Reference-data blocks held by theApp (tables loaded from the library workbook).
// CSevrinApp derives from LibraryBlocks so each block is a member of theApp.
struct LibraryBlocks
{
};
