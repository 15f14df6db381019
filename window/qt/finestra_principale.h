// The main window: a thin Qt view over the MacchiaRossa model. User edits go
// into the model, clicks run its handlers, and after each handler (and each
// animation frame) Aggiorna shows the whole model state again.
#pragma once

#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "window/macchiarossa.h"
#include "window/vista.h"

class QAbstractButton;
class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace mr {

class CoordinateView;
class FinestraEventi;
class FinestraSatelliti;
class VistaZorva;

// Notices for the model: non-modal boxes owned by the window whose model gave
// them, one box per text at a time.
class AmbienteQt : public Ambiente {
 public:
  explicit AmbienteQt(QWidget* genitore) : genitore_(genitore) {}
  // Raises the box already open with that text, or opens one above the
  // window (once the window is on screen, so it does not cover the notice).
  void Avviso(const std::string& testo) override;

 private:
  QWidget* genitore_;
  std::map<QString, QPointer<QMessageBox>> aperti_;
};

class FinestraPrincipale : public QMainWindow {
  Q_OBJECT

 public:
  // cartella: where Imp.txt and IOra.txt live; empty means the working directory.
  explicit FinestraPrincipale(std::filesystem::path cartella = {}, QWidget* genitore = nullptr);
  ~FinestraPrincipale() override;

  MacchiaRossa& Modello() { return modello_; }
  // The satellite panel window, or null before its first use.
  FinestraSatelliti* Pannello() const { return pannello_; }
  VistaZorva* Zorva() const { return zorva_; }
  // The planner window, or null before the menu Eventi first opens it.
  FinestraEventi* Eventi() const { return eventi_; }

  // Shows the whole model state in the widgets and repaints the pictures.
  void Aggiorna();

  bool AnimazioneAttiva() const { return animazione_; }

  // The eyepiece's orientation and night vision, as chosen in the menu
  // Impostazioni: shown at once and remembered in the settings file.
  const SceltaVista& Vista() const { return vista_; }
  void ScegliOrientamento(Orientamento o);
  void ScegliVisioneNotturna(bool attiva);
  // The precise ephemeris, as chosen in the menu Impostazioni: remembered in
  // the settings file and, outside an animation, computed at once.
  void ScegliAltaPrecisione(bool attiva);

 protected:
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  // Esc stops a running animation.
  void keyPressEvent(QKeyEvent* e) override;

 private:
  struct CampoTesto {
    QLineEdit* widget;
    Campo MacchiaRossa::*campo;
  };
  struct CampoData {
    QComboBox* widget;
    Campo MacchiaRossa::*campo;
  };
  struct CasellaVista {
    QCheckBox* widget;
    Casella MacchiaRossa::*casella;
  };

  void CreaMenu();
  void CreaControlli();
  void CreaCampiData(QWidget* area);
  void CreaPulsanti(QWidget* area);
  void CreaZona(QWidget* area);
  void CreaCaselle(QWidget* area);
  void CreaCampiTesto(QWidget* area);
  void CreaEtichette(QWidget* area);
  void CreaVelocita(QWidget* area);
  QPushButton* Pulsante(QWidget* area, const char* nome, const char* testo, QRect posizione,
                        const char* suggerimento);

  // Runs a model handler, then shows the new state.
  template <class F>
  void Esegui(F&& gestore);

  void AggiornaTesti();
  void AggiornaCaselle();
  void AggiornaZona();
  void AggiornaVelocita();
  void AggiornaPannello();

  void Rotazione_Click();
  void ProssimoFotogramma();
  void FermaAnimazione();
  void FineAnimazione();
  void AbilitaDurante(bool abilita);

  void CreaMenuVista(QMenu* mImpostazioni);
  void CreaMarche(QWidget* area);
  void MostraOrientamento();
  void RicordaVista();
  void CreaMenuPrecisione(QMenu* mImpostazioni);

  void MostraCoordinate();
  bool ChiudiCoordinate();
  void MostraEventi();
  void Esci();

  AmbienteQt ambiente_;
  MacchiaRossa modello_;
  std::filesystem::path cartella_;

  std::vector<CampoData> campiData_;
  std::vector<CampoTesto> campiTesto_;
  std::vector<CasellaVista> caselle_;
  QRadioButton* oe_ = nullptr;
  QRadioButton* tm_ = nullptr;
  QRadioButton* tu_ = nullptr;
  QScrollBar* velocita_ = nullptr;
  QPushButton* rotazione_ = nullptr;
  VistaZorva* zorva_ = nullptr;
  QAction* mCoordinate_ = nullptr;
  std::map<Orientamento, QAction*> mOrientamento_;
  QAction* mVisioneNotturna_ = nullptr;
  QAction* mAltaPrecisione_ = nullptr;
  QLabel* polo_ = nullptr;       // Label7
  QLabel* marche_[2] = {};       // "E" / "O" left and right of the picture
  SceltaVista vista_;
  std::vector<QWidget*> fermiDurante_;  // disabled while the animation runs

  FinestraSatelliti* pannello_ = nullptr;
  CoordinateView* coordinate_ = nullptr;
  FinestraEventi* eventi_ = nullptr;

  bool aggiornando_ = false;  // widget changes made by Aggiorna are not user edits
  bool caricata_ = false;
  bool animazione_ = false;
  QTimer fotogrammi_;
};

}  // namespace mr
