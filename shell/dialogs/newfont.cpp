#include "shell/dialogs/newfont.h"

#include <QDialog>

#include "generation/generate.h"
#include "generation/params.h"
#include "shell/dialogs/fontchooser.h"
#include "shell/dialogs/generationdialog.h"

namespace {

DialogRunner& Runner() {
  static DialogRunner runner;
  return runner;
}

int RunDialog(QDialog* pDialog) {
  if (Runner()) return Runner()(pDialog);
  return pDialog->exec();
}

}  // namespace

void SHELL_SetDialogRunner(DialogRunner runner) { Runner() = std::move(runner); }

int FONT_ChooseSystemFont(QWidget* owner, LogFontRecord* pRecord, int32_t* pType, int32_t* pEncoding,
                          int32_t* pMethod, int32_t currentHeight, std::string* pFamily) {
  if (!pRecord) return 1;
  GenerationDialog options(owner, *pType, *pEncoding, *pMethod);
  if (RunDialog(&options) != QDialog::Accepted) return 1;
  const int32_t type = options.type();
  const int32_t encoding = options.encoding();
  const int32_t method = options.method();
  FontChooser chooser(owner, *pRecord, type, encoding, method, currentHeight);
  if (RunDialog(&chooser) != QDialog::Accepted) return 1;
  // The chooser's record carries the height by the unit and framed-type rules.
  *pRecord = chooser.logFont();
  if (pFamily) *pFamily = chooser.familyName().toStdString();
  *pType = type;
  *pEncoding = encoding;
  *pMethod = GENERATE_GetEffectiveAAMethod(type, method);
  return 0;
}

FontPtr SHELL_RunNewFont(QWidget* parent, const Font* pCurrent) {
  LogFontRecord record;
  int32_t type = FONTTYPE_EXT, encoding = ENCODING_UC16, method = AAMETHOD_OS, height = 0;
  if (pCurrent) {
    FONT_GetLogFont(pCurrent, &record);
    type = FONT_GetType(pCurrent);
    encoding = FONT_GetEncoding(pCurrent);
    method = FONT_GetAAMethod(pCurrent);
    height = FONT_GetHeight(pCurrent);
  }
  std::string family;
  if (FONT_ChooseSystemFont(parent, &record, &type, &encoding, &method, height, &family)) return nullptr;
  return FONT_CreateFromLogFont(&record, type, encoding, method, family.empty() ? nullptr : family.c_str());
}
