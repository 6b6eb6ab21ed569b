#pragma once

class QPrinter;
class QTextBrowser;
class QWidget;

namespace pw {

// Asks for a printer with the standard print dialog and prints the page on it when accepted.
void PrintPage(QTextBrowser &page, QWidget *parent);

// Prints the page as shown to an already set up printer.
void PrintPageTo(QTextBrowser &page, QPrinter &printer);

} // namespace pw
