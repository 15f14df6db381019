// The about box frmInformazioni.
#pragma once

class QWidget;

namespace mr {

// Shows the modeless about box "Informazioni su MacchiaRossa", creating it on
// first use with `genitore` as its owner, or brings it to the front when it
// is already open. Its "OK" button closes it.
void MostraInformazioni(QWidget* genitore);

}  // namespace mr
