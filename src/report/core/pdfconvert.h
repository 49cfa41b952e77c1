#pragma once
// The PDF conversion request: the saved report goes to the server's "/topdf" as a multipart
// form post; a successful answer is the PDF, saved beside the report.
#include <QByteArray>
#include <QString>

struct ReportRunSettings;

// The fixed multipart boundary (32 letters and digits).
QByteArray TopdfBoundary();

// The request body: the "filename" field with the file name, the "file" field with the full
// path as its filename and the workbook's bytes, then the closing boundary. The texts are in
// the Korean Windows code page, as the server expects.
QByteArray BuildTopdfBody(const QString& fileName, const QString& fullPath,
                          const QByteArray& workbook);

// The PDF path of a report: the path up to its last "." plus ".pdf".
QString PdfPathOf(const QString& reportPath);

enum class PdfResult {
    NoWorkbook,    // nothing to send
    NoServer,      // no server configured: no request
    Saved,         // status 200 with a body: the PDF is saved
    ServerError,   // another status
    EmptyAnswer,   // status 200 without a body
    NetworkError,  // no connection, TLS refused, reset or no answer in time
    Stopped,       // the user stopped the run; the request was aborted
    WriteError     // the PDF could not be written
};

// Sends the report and keeps the answer only on status 200 with a body (written whole, then
// renamed into place). Every failure but a stop gives a message. With the PDF saved and no
// stop requested, the PDF is opened with the desktop's program for it. Polls
// theApp.ReportStopFlag while waiting; a stop aborts the request.
PdfResult ConvertToPdf(const QString& reportPath, const ReportRunSettings& settings);
