#include "shell/page_print.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QTextBrowser>

namespace pw {

void PrintPage(QTextBrowser &page, QWidget *parent)
{
    QPrinter printer;
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() == QDialog::Accepted)
        PrintPageTo(page, printer);
}

void PrintPageTo(QTextBrowser &page, QPrinter &printer)
{
    page.print(&printer);
}

} // namespace pw
