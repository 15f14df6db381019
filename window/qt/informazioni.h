// The about box frmInformazioni.
#pragma once

#include <filesystem>

class QWidget;

namespace mr {

// Shows the modeless about box "Informazioni su MacchiaRossa", creating it on
// first use with `genitore` as its owner, or brings it to the front when it
// is already open. It gives the program's version and the settings folder
// `cartella`; its "OK" button closes it.
void MostraInformazioni(QWidget* genitore, const std::filesystem::path& cartella);

}  // namespace mr
