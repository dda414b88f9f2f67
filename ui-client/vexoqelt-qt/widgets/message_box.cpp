#include "message_box.h"

#include <QPointer>

#include "vexo_mask.h"
#include "vexo_message_sheet.h"

namespace {

int askWithSheet(int type, const QString& title, const QString& text, QWidget* parent)
{
    // On the heap: the parent may go away while the sheet waits.
    QPointer<VexoMessageSheet> sheet = new VexoMessageSheet(type, text, parent);
    sheet->setTitle(title);
    if (parent)
        VexoMask::createMask(sheet, parent->window(), QColor(0, 0, 0, 20));
    else
        sheet->setWindowTitle(title);
    const int answer = sheet->exec();
    delete sheet.data();
    return answer;
}

}  // namespace

int showConfirmMsg(const QString& title, const QString& text, QWidget* parent)
{
    return askWithSheet(VexoMessageSheet::Confirming, title, text, parent);
}

int showInfoMsg(const QString& title, const QString& text, QWidget* parent)
{
    return askWithSheet(VexoMessageSheet::Informing, title, text, parent);
}
