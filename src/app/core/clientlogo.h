#pragma once
// The client's logo of a project: the project file keeps its file name only, and the report
// looks for it in the program's logo folder (<root>/<CI folder>). A picture picked anywhere
// else is copied there, so the report finds what was picked.
#include <QString>

struct ClientLogoPick
{
    bool ok = false;
    QString name;     // the file name to keep in the project file
    QString message;  // why the pick was refused (ok false)
};

// Takes the picture at `picked` into `logoFolder`:
// - a file that is no picture the report can place (JPEG or PNG) is refused;
// - a picture already in the folder is used where it is;
// - a picture from elsewhere is copied in under its own name; when the folder holds a
//   different file of that name, under the first free "<name> (2).<ext>", "(3)", ...; a file
//   of that name with the same contents is used as it is. Nothing in the folder is replaced.
// The folder is made when it does not exist.
ClientLogoPick TakeClientLogo(const QString& picked, const QString& logoFolder);
