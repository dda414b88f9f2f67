#include "login_settings_support.h"

#include <QLineEdit>
#include <QMessageBox>

#include "image_manager.h"
#include "style_manager.h"
#include "vexo_message_sheet.h"
#include "ui_path_manager.h"
#include "vexoqelt_test_support.h"

namespace lstest {

void initWidgets(double scale)
{
    vexotest::initLibrary(scale);
    UIPathManager::getInstance()->setPath(QStringLiteral("resource_path"), QStringLiteral(QM_STAGE_RESOURCE_DIR));
    ImageManager::getInstance()->initialize(0);
}

ScriptedResponder::ScriptedResponder()
{
    installSheetResponder([this](const SheetRequest& request) {
        // Busy sheets have no answer: they stay until their owner ends them.
        if (request.type == VexoMessageSheet::Processing || request.type == VexoMessageSheet::ProcessingWithAnimation)
            return 0;
        SeenSheet sheet;
        sheet.type = request.type;
        sheet.text = request.text;
        for (const auto& button : request.buttons)
            if (button.first == QMessageBox::Ok)
                sheet.ok_text = button.second;
        seen.append(sheet);
        if (request.input)
            request.input->setText(input_text);
        return answer ? answer(request) : int(QMessageBox::Ok);
    });
}

ScriptedResponder::~ScriptedResponder()
{
    installSheetResponder({});
}

}  // namespace lstest
