// The planner window "Eventi": the satellites' phenomena, their mutual events
// and the Red Spot's transits of the coming days at the observer's site,
// filtered to what can be watched, the chart of the chosen row's night (and
// the light curve of a chosen mutual event), and the exports. A thin view
// over the planner's model (pianificatore/): it reads "Imp.txt" for the site,
// the Red Spot and Delta T at each computation, and keeps its choices in
// "MacchiaRossa.ini" (section Eventi).
#pragma once

#include <QWidget>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "ephemeris/mutui.h"
#include "pianificatore/piano.h"
#include "pianificatore/preferenze_eventi.h"
#include "pianificatore/qt/stampa_eventi.h"
#include "pianificatore/qtcore/fuso_qt.h"
#include "window/qt/finestra_principale.h"

class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableView;

namespace mr {

class GraficoCurva;
class GraficoNotte;
class ModelloEventi;

class FinestraEventi : public QWidget {
  Q_OBJECT

 public:
  // cartella: where Imp.txt and MacchiaRossa.ini live.
  explicit FinestraEventi(std::filesystem::path cartella, QWidget* genitore = nullptr);
  ~FinestraEventi() override;

  // Shows the window, or raises it when it is on screen; a window not on
  // screen lists from inizioUT (UT Julian day) when given.
  void Mostra(std::optional<double> inizioUT);

  // The start of the list, UT Julian day; setting it computes the list again.
  double Inizio() const { return inizio_; }
  void ImpostaInizio(double jdUT);

  // A double-click on a row: its instant, to the minute as the row shows it.
  std::function<void(std::chrono::sys_seconds)> alDoppioClic;
  // The clock of "Da adesso".
  std::function<std::chrono::sys_seconds()> adesso;

  // The exports of the rows shown, each written whole or not at all; on a
  // failure an Italian notice names the file and the reason, and false
  // comes back.
  bool EsportaCsv(const QString& file);
  bool EsportaICalendar(const QString& file);
  bool EsportaPdf(const QString& file);

  const ModelloEventi& Modello() const { return *modello_; }
  const GraficoNotte& Grafico() const { return *grafico_; }
  const GraficoCurva& Curva() const { return *curva_; }

 protected:
  void closeEvent(QCloseEvent* e) override;
  // The table's width changed: the description takes what is left.
  bool eventFilter(QObject* oggetto, QEvent* evento) override;

 private:
  void CreaControlli();
  QWidget* CreaInizio();
  QWidget* CreaGeneri();
  QWidget* CreaFiltro();
  QWidget* CreaPulsanti();
  void MostraScelte();
  // The columns as wide as their texts, the description the width left.
  void AdattaColonne();
  void AllargaDescrizione();
  QSize Misura() const;

  // A choice changed: remembered, then the list shown again.
  void LeggiScelte();
  void Ricorda();
  void ScegliFuso(const QString& nome);
  void InizioModificato();
  void DaAdesso();

  // Computes the events (when the start, the days or the settings changed)
  // and shows the rows.
  void Calcola();
  void MostraRighe();
  // The charts of the chosen row: its night, and a mutual event's light curve.
  void MostraScelto();
  void MostraNotte();
  void MostraCurva();
  void DoppioClic(const QModelIndex& indice);

  void EsportaCsv_Click();
  void EsportaICalendar_Click();
  void Stampa_Click();
  bool Scrivi(const QString& file, const QByteArray& contenuto);
  DatiStampa Stampa() const;
  void Avviso(const QString& testo);

  std::filesystem::path cartella_;
  AmbienteQt avvisi_;
  PreferenzeEventi preferenze_;
  std::shared_ptr<FusoQt> fuso_;
  double inizio_ = 0;

  // What the latest computation used and found.
  struct Calcolo {
    double inizio = 0;
    int giorni = 0;
    Sito sito{};
    ModelloMacchia macchia{};
    double deltaT = 0;
    bool operator==(const Calcolo&) const = default;
  };
  std::optional<Calcolo> calcolo_;
  std::vector<Evento> eventi_;
  std::vector<EventoMutuo> mutui_;
  bool fuoriIntervallo_ = false;

  bool aggiornando_ = false;  // control changes made by the window itself
  QDateTimeEdit* inizioCampo_ = nullptr;
  QLabel* siglaInizio_ = nullptr;
  QSpinBox* giorni_ = nullptr;
  QComboBox* fusoCampo_ = nullptr;
  std::vector<QCheckBox*> generi_, satelliti_;
  QCheckBox* soloOsservabili_ = nullptr;
  QSpinBox* altezzaMinima_ = nullptr;
  QComboBox* cielo_ = nullptr;
  QTableView* tabella_ = nullptr;
  int larghezzaDescrizioni_ = 0;  // the longest description's, pixels
  ModelloEventi* modello_ = nullptr;
  GraficoNotte* grafico_ = nullptr;
  GraficoCurva* curva_ = nullptr;
  QLabel* stato_ = nullptr;
  std::vector<QPushButton*> esportazioni_;
};

}  // namespace mr
