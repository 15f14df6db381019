// The planner window "Eventi": opened from the main window, its list and
// filter, the night chart, the double-click into the main window, the
// remembered choices and the exports.
#include "pianificatore/qt/finestra_eventi.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QSpinBox>
#include <QTableView>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "app.h"
#include "principale_di_prova.h"
#include "tests/settings/cartella_temp.h"
#include "ephemeris/calendario.h"
#include "pianificatore/qt/grafico_curva.h"
#include "pianificatore/qt/grafico_notte.h"
#include "pianificatore/qt/modello_eventi.h"
#include "window/qt/finestra_principale.h"

namespace mr {
namespace {

namespace fs = std::filesystem;

double Ut(int a, int m, int g, int ore, int minuti) { return GiornoGiuliano(g, m, a, ore, minuti); }

std::string LeggiFile(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

class EventiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    prova::App();
    // Rome, the Red Spot at 98 degrees, Delta T 69 s; mean time (UT + 1 h).
    std::ofstream(cartella_ / "Imp.txt", std::ios::binary) << "98,12,30,41,54,69\r\n";
    std::ofstream(cartella_ / "IOra.txt", std::ios::binary) << "0\r\n";
    std::ofstream(cartella_ / "MacchiaRossa.ini", std::ios::binary)
        << "[Eventi]\nfuso=Europe/Rome\n";
  }
  void TearDown() override {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* b = qobject_cast<QMessageBox*>(w)) b->close();
    finestra_.reset();
    principale_.reset();
  }

  FinestraEventi& Apri(double inizio) {
    finestra_ = std::make_unique<FinestraEventi>(cartella_);
    finestra_->Mostra(inizio);
    QCoreApplication::processEvents();
    return *finestra_;
  }

  FinestraPrincipale& ApriPrincipale() { return prova::ApriPrincipale(principale_, cartella_); }

  template <class W>
  W* Trova(QWidget* w, const char* nome) {
    W* trovato = w->findChild<W*>(QString::fromUtf8(nome));
    EXPECT_NE(trovato, nullptr) << nome;
    return trovato;
  }

  // The texts of one column, top to bottom.
  static std::vector<std::string> Colonna(const ModelloEventi& m, int colonna) {
    std::vector<std::string> v;
    for (int r = 0; r < m.rowCount(); ++r) v.push_back(m.index(r, colonna).data().toString().toStdString());
    return v;
  }

  static int Riga(const ModelloEventi& m, const std::string& descrizione) {
    for (int r = 0; r < m.rowCount(); ++r)
      if (m.index(r, ModelloEventi::Descrizione).data().toString().toStdString() == descrizione)
        return r;
    return -1;
  }

  static std::vector<std::string> Avvisi() {
    std::vector<std::string> v;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* b = qobject_cast<QMessageBox*>(w); b && b->isVisible())
        v.push_back(b->text().toStdString());
    return v;
  }

  prova::CartellaTemp temp_;
  const fs::path cartella_ = temp_.percorso();
  std::unique_ptr<FinestraPrincipale> principale_;
  std::unique_ptr<FinestraEventi> finestra_;
};

// The menu item opens one window, on the instant of the main window's fields,
// and shows it again when it was closed.
TEST_F(EventiTest, IlMenuApreUnaSolaFinestraSullIstanteDeiCampi) {
  FinestraPrincipale& f = ApriPrincipale();
  f.Modello().Giorno.Text = "12";
  f.Modello().Mese.Text = "2";
  f.Modello().Anno.Text = "2027";
  f.Modello().Ore.Text = "21";
  f.Modello().Minuti.Text = "14";
  QAction* menu = Trova<QAction>(&f, "mEventi");
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->text(), "E&venti");
  menu->trigger();
  FinestraEventi* e = f.Eventi();
  ASSERT_NE(e, nullptr);
  EXPECT_TRUE(e->isVisible());
  EXPECT_TRUE(e->isWindow());
  // 21:14 mean time is 20:14 UT.
  EXPECT_NEAR(e->Inizio(), Ut(2027, 2, 12, 20, 14), 1e-7);
  EXPECT_EQ(Trova<QDateTimeEdit>(e, "inizio")->dateTime().toString("dd/MM/yyyy HH:mm"),
            "12/02/2027 21:14");
  EXPECT_EQ(Trova<QLabel>(e, "siglaInizio")->text(), "CET");

  f.Modello().Giorno.Text = "20";
  menu->trigger();
  EXPECT_EQ(f.Eventi(), e);
  EXPECT_NEAR(e->Inizio(), Ut(2027, 2, 12, 20, 14), 1e-7);  // still open: kept as it was
  e->close();
  EXPECT_FALSE(e->isVisible());
  menu->trigger();
  EXPECT_EQ(f.Eventi(), e);
  EXPECT_TRUE(e->isVisible());
  EXPECT_NEAR(e->Inizio(), Ut(2027, 2, 20, 20, 14), 1e-7);
}

// 2 January 2016 from noon UT: Io's shadow and transit (IMCCE: Sh.I 13:01,
// Tr.I 14:10, Sh.E 15:16, Tr.E 16:24 UT) in Rome's afternoon daylight.
TEST_F(EventiTest, IlFiltroTogliePoiIngrigisceCioCheNonSiVede) {
  FinestraEventi& e = Apri(Ut(2016, 1, 2, 12, 0));
  Trova<QSpinBox>(&e, "giorni")->setValue(1);
  const ModelloEventi& m = e.Modello();
  ASSERT_GT(m.rowCount(), 0);
  for (const RigaPiano& r : m.Righe()) {
    EXPECT_TRUE(r.osservabile);
    EXPECT_GE(r.AltGiove(), 10);
    EXPECT_LE(r.AltSole(), -6);
    EXPECT_TRUE(!r.Fenomeno() || !r.Fenomeno()->nascosto);
  }
  EXPECT_EQ(Riga(m, "Io: inizio del transito"), -1);
  // The site and the Red Spot of Imp.txt (12° 30' E, 41° 54' N, 98°).
  EXPECT_TRUE(Trova<QLabel>(&e, "stato")->text().endsWith(
      QString::fromUtf8("osservatore 12.50° E, 41.90° N · Macchia Rossa a 98.0° (sistema II)")))
      << Trova<QLabel>(&e, "stato")->text().toStdString();

  Trova<QCheckBox>(&e, "soloOsservabili")->setChecked(false);
  const int transito = Riga(m, "Io: inizio del transito");
  ASSERT_GE(transito, 0);
  EXPECT_EQ(m.index(transito + 1, ModelloEventi::Descrizione).data().toString(),
            "Io: fine del transito");
  const QString locale = m.index(transito, ModelloEventi::OraLocale).data().toString();
  EXPECT_TRUE(locale == "02/01/2016 15:10 CET" || locale == "02/01/2016 15:11 CET" ||
              locale == "02/01/2016 15:09 CET")
      << locale.toStdString();
  const QString durata = m.index(transito + 1, ModelloEventi::Durata).data().toString();
  EXPECT_TRUE(durata.startsWith("2 h 1")) << durata.toStdString();  // 2 h 14 min published
  EXPECT_EQ(m.index(transito, ModelloEventi::Durata).data().toString(), "");
  EXPECT_EQ(m.index(transito, ModelloEventi::Cielo).data().toString(), "Giorno");
  // Daylight rows are greyed, the others are not.
  EXPECT_TRUE(m.index(transito, 0).data(Qt::ForegroundRole).isValid());
  int grigie = 0, nere = 0;
  for (int r = 0; r < m.rowCount(); ++r)
    (m.index(r, 0).data(Qt::ForegroundRole).isValid() ? grigie : nere)++;
  EXPECT_GT(nere, 0);
  EXPECT_GT(grigie, 0);
  EXPECT_EQ(grigie + nere, m.rowCount());

  // Shadows only, Io only.
  for (int i : {0, 1, 3, 4, 5}) Trova<QCheckBox>(&e, ("genere" + std::to_string(i)).c_str())->setChecked(false);
  for (int i : {1, 2, 3}) Trova<QCheckBox>(&e, ("satellite" + std::to_string(i)).c_str())->setChecked(false);
  EXPECT_EQ(Colonna(m, ModelloEventi::Descrizione),
            (std::vector<std::string>{"Ombra di Io: inizio del transito",
                                      "Ombra di Io: fine del transito"}));
}

// Latest first, a pair stays together, ingress above egress; a click on a
// column other than the times sorts by time too.
TEST_F(EventiTest, OrdinePerTempoInEntrambiISensi) {
  FinestraEventi& e = Apri(Ut(2016, 1, 2, 12, 0));
  Trova<QCheckBox>(&e, "soloOsservabili")->setChecked(false);
  auto* tabella = Trova<QTableView>(&e, "tabella");
  const ModelloEventi& m = e.Modello();
  tabella->sortByColumn(ModelloEventi::TU, Qt::DescendingOrder);
  ASSERT_GT(m.rowCount(), 3);
  for (int r = 0; r + 1 < m.rowCount(); ++r) {
    const RigaPiano &a = m.Righe()[r], &b = m.Righe()[r + 1];
    if (a.gruppo == b.gruppo) {
      EXPECT_LT(a.Istante(), b.Istante()) << r;
      EXPECT_TRUE(b.inizioCoppia.has_value());
    } else {
      const double inizioA = a.inizioCoppia.value_or(a.Istante());
      EXPECT_GE(inizioA, b.Istante()) << r;
    }
  }
  tabella->horizontalHeader()->setSortIndicator(ModelloEventi::Giove, Qt::AscendingOrder);
  EXPECT_EQ(tabella->horizontalHeader()->sortIndicatorSection(), ModelloEventi::OraLocale);
  EXPECT_TRUE(m.Crescente());
}

// The chart shows the night of the chosen row, that row marked.
TEST_F(EventiTest, IlGraficoMostraLaNotteDellaRigaScelta) {
  FinestraEventi& e = Apri(Ut(2027, 2, 12, 12, 0));
  auto* tabella = Trova<QTableView>(&e, "tabella");
  const ModelloEventi& m = e.Modello();
  ASSERT_GT(m.rowCount(), 2);
  const int ultima = m.rowCount() - 1;
  tabella->setCurrentIndex(m.index(ultima, 0));
  const double istante = m.Righe()[ultima].Istante();
  const std::optional<Notte>& n = e.Grafico().NotteMostrata();
  ASSERT_TRUE(n);
  EXPECT_LE(n->inizio, istante);
  EXPECT_GT(n->fine, istante);
  EXPECT_LT(n->fine - n->inizio, 1.05);
  EXPECT_EQ(e.Grafico().Aspetto().scelto, istante);
  EXPECT_EQ(e.Grafico().Aspetto().altezzaMinima, 10);
  EXPECT_NE(e.Grafico().Aspetto().titolo.find("Europe/Rome"), std::string::npos);
}

// A double-click on a row shows its instant in the main window, in the main
// window's zone, and runs the computation.
TEST_F(EventiTest, IlDoppioClicPortaLaFinestraPrincipaleAllEvento) {
  FinestraPrincipale& f = ApriPrincipale();
  Trova<QAction>(&f, "mEventi")->trigger();
  FinestraEventi* e = f.Eventi();
  ASSERT_NE(e, nullptr);
  e->ImpostaInizio(Ut(2016, 1, 2, 12, 0));
  Trova<QCheckBox>(e, "soloOsservabili")->setChecked(false);
  const ModelloEventi& m = e->Modello();
  const int riga = Riga(m, "Io: inizio del transito");
  ASSERT_GE(riga, 0);
  const QString tu = m.index(riga, ModelloEventi::TU).data().toString();  // "02/01/2016 14:10"
  auto* tabella = Trova<QTableView>(e, "tabella");
  tabella->scrollTo(m.index(riga, 0));
  const QPoint punto = tabella->visualRect(m.index(riga, ModelloEventi::Descrizione)).center();
  // Press, release, double-click, release, as the system sends them.
  const QPointF globale = tabella->viewport()->mapToGlobal(punto);
  for (auto [tipo, premuti] : {std::pair{QEvent::MouseButtonPress, Qt::LeftButton},
                               std::pair{QEvent::MouseButtonRelease, Qt::NoButton},
                               std::pair{QEvent::MouseButtonDblClick, Qt::LeftButton},
                               std::pair{QEvent::MouseButtonRelease, Qt::NoButton}}) {
    QMouseEvent evento(tipo, QPointF(punto), globale, Qt::LeftButton, premuti, Qt::NoModifier);
    QApplication::sendEvent(tabella->viewport(), &evento);
  }
  QCoreApplication::processEvents();

  // Mean time is UT + 1 h.
  const MacchiaRossa& modello = f.Modello();
  EXPECT_EQ(modello.Giorno.Text + "/" + modello.Mese.Text + "/" + modello.Anno.Text, "2/1/2016");
  EXPECT_EQ(std::stoi(modello.Ore.Text), tu.mid(11, 2).toInt() + 1);
  EXPECT_EQ(std::stoi(modello.Minuti.Text), tu.mid(14, 2).toInt());
  EXPECT_EQ(Trova<QLineEdit>(&f, "MC")->text().toStdString(), modello.MC.Text);
  EXPECT_FALSE(modello.MC.Text.empty());
  EXPECT_EQ(Trova<QComboBox>(&f, "Ore")->currentText().toStdString(), modello.Ore.Text);
  EXPECT_EQ(modello.EsitoComando(), Esito::Eseguito);
}

// The mutual events of the independent computation of tests/data/riferimento
// seen from Rome on the nights of 9-11 December 2026: Ganymede's shadow on
// Europa (3 E 2, 00:54:26 - 00:57:52 - 01:01:18 UT, 0.595 mag, Jupiter 42.6°)
// and Callisto's on Io (4 E 1, 03:59:54 - 04:03:26 - 04:06:58 UT, 0.179 mag,
// 61.2°), each a row at its maximum, local time to the minute, the drop to
// 0.05 mag; the kind can be left out.
TEST_F(EventiTest, IFenomeniMutuiNellElenco) {
  FinestraEventi& e = Apri(Ut(2026, 12, 9, 12, 0));
  Trova<QSpinBox>(&e, "giorni")->setValue(3);
  const ModelloEventi& m = e.Modello();
  const auto riga = [&](const char* sigla) {
    for (int r = 0; r < m.rowCount(); ++r)
      if (m.index(r, ModelloEventi::Sigla).data().toString() == sigla) return r;
    return -1;
  };
  const int europa = riga("3 E 2"), io = riga("4 E 1");
  ASSERT_GE(europa, 0);
  ASSERT_GE(io, 0);
  EXPECT_LT(europa, io);
  const auto testo = [&](int r, int c) { return m.index(r, c).data().toString().toStdString(); };
  EXPECT_EQ(testo(europa, ModelloEventi::OraLocale), "10/12/2026 01:58 CET");
  EXPECT_EQ(testo(europa, ModelloEventi::TU), "10/12/2026 00:58");
  EXPECT_EQ(testo(europa, ModelloEventi::Descrizione),
            "Ganimede eclissa Europa (parziale, calo 0,60 mag)");
  EXPECT_EQ(testo(europa, ModelloEventi::Durata), "7 min");
  EXPECT_EQ(testo(europa, ModelloEventi::Giove), "43°");
  EXPECT_EQ(testo(europa, ModelloEventi::Cielo), "Notte");
  EXPECT_EQ(testo(io, ModelloEventi::OraLocale), "11/12/2026 05:03 CET");
  EXPECT_EQ(testo(io, ModelloEventi::Descrizione), "Callisto eclissa Io (parziale, calo 0,20 mag)");
  const QString suggerimento = m.index(io, 0).data(Qt::ToolTipRole).toString();
  EXPECT_TRUE(suggerimento.contains("Dal primo all'ultimo contatto: 05:00 - 05:07 (7 min)"))
      << suggerimento.toStdString();
  // Two more by daylight (3 E 1 at 13:44 UT on the 9th, 3 O 1 at 07:51 UT on
  // the 10th), greyed with the filter off.
  const int filtrate = m.rowCount();
  Trova<QCheckBox>(&e, "soloOsservabili")->setChecked(false);
  int mutue = 0, grigie = 0;
  for (int r = 0; r < m.rowCount(); ++r) {
    if (!m.Righe()[r].Mutuo()) continue;
    ++mutue;
    if (m.index(r, 0).data(Qt::ForegroundRole).isValid()) ++grigie;
  }
  EXPECT_GT(m.rowCount(), filtrate);
  EXPECT_EQ(mutue, 4);
  EXPECT_EQ(grigie, 2);
  auto* genere = Trova<QCheckBox>(&e, "genere5");
  EXPECT_EQ(genere->text(), "Fenomeni mutui");
  genere->setChecked(false);
  for (const RigaPiano& r : m.Righe()) EXPECT_FALSE(r.Mutuo());
  EXPECT_FALSE(e.Curva().isVisible());
  EXPECT_NE(LeggiFile(cartella_ / "MacchiaRossa.ini").find("mutui=0\n"), std::string::npos);
}

// The chosen mutual event's light curve beside the night chart; none for a
// phenomenon's row. A double-click shows the maximum in the main window.
TEST_F(EventiTest, LaCurvaDiLuceEIlDoppioClicDiUnFenomenoMutuo) {
  FinestraPrincipale& f = ApriPrincipale();
  Trova<QAction>(&f, "mEventi")->trigger();
  FinestraEventi* e = f.Eventi();
  ASSERT_NE(e, nullptr);
  e->ImpostaInizio(Ut(2026, 12, 9, 12, 0));
  Trova<QSpinBox>(e, "giorni")->setValue(3);
  const ModelloEventi& m = e->Modello();
  auto* tabella = Trova<QTableView>(e, "tabella");
  int europa = -1;
  for (int r = 0; r < m.rowCount(); ++r)
    if (m.index(r, ModelloEventi::Sigla).data().toString() == "3 E 2") europa = r;
  ASSERT_GE(europa, 0);
  EXPECT_TRUE(e->Curva().isVisible());
  tabella->setCurrentIndex(m.index(europa, 0));
  const std::optional<CurvaEvento>& curva = e->Curva().CurvaMostrata();
  ASSERT_TRUE(curva);
  const double massimo = GiornoGiulianoDi({2026, 12, 10, 0, 57, 52});
  EXPECT_LE(std::abs(curva->evento.jdMassimo - massimo) * 86400, 1);
  EXPECT_LT(curva->inizio, curva->evento.jdInizio);
  EXPECT_GT(curva->fine, curva->evento.jdFine);
  EXPECT_EQ(e->Grafico().Aspetto().scelto, m.Righe()[europa].Istante());
  tabella->setCurrentIndex(m.index(europa == 0 ? 1 : 0, 0));
  EXPECT_FALSE(e->Curva().CurvaMostrata());

  emit tabella->doubleClicked(m.index(europa, ModelloEventi::Descrizione));
  QCoreApplication::processEvents();
  // 00:57:52 UT to the minute is 00:58, 01:58 in mean time.
  const MacchiaRossa& modello = f.Modello();
  EXPECT_EQ(modello.Giorno.Text + "/" + modello.Mese.Text + "/" + modello.Anno.Text, "10/12/2026");
  EXPECT_EQ(std::stoi(modello.Ore.Text), 1);
  EXPECT_EQ(std::stoi(modello.Minuti.Text), 58);
  EXPECT_EQ(modello.EsitoComando(), Esito::Eseguito);
}

// The exports hold the mutual events: a CSV row with the contacts and the
// drop, a calendar event from the first contact to the last, a PDF.
TEST_F(EventiTest, EsportazioniConIFenomeniMutui) {
  FinestraEventi& e = Apri(Ut(2026, 12, 9, 12, 0));
  Trova<QSpinBox>(&e, "giorni")->setValue(3);
  const fs::path csv = cartella_ / "mutui.csv", ics = cartella_ / "mutui.ics",
                 pdf = cartella_ / "mutui.pdf";
  ASSERT_TRUE(e.EsportaCsv(QString::fromStdString(csv.string())));
  const std::string tabella = LeggiFile(csv);
  EXPECT_EQ(tabella.rfind("utc,ora_locale,fuso,evento,satellite,descrizione,alt_giove,alt_sole,"
                          "inizio,fine,calo_mag\r\n",
                          0),
            0u);
  EXPECT_NE(tabella.find(",3 E 2,Ganimede e Europa,\"Ganimede eclissa Europa (parziale, calo 0,60 "
                         "mag)\","),
            std::string::npos)
      << tabella;
  ASSERT_TRUE(e.EsportaICalendar(QString::fromStdString(ics.string())));
  const std::string calendario = LeggiFile(ics);
  EXPECT_NE(calendario.find("UID:20261210T0058Z-3E2@macchiarossa\r\n"), std::string::npos);
  EXPECT_NE(calendario.find("DTSTART:20261210T005400Z\r\nDTEND:20261210T010100Z\r\n"),
            std::string::npos)
      << calendario;
  ASSERT_TRUE(e.EsportaPdf(QString::fromStdString(pdf.string())));
  EXPECT_EQ(LeggiFile(pdf).rfind("%PDF-", 0), 0u);
  EXPECT_TRUE(Avvisi().empty());
}

// The choices come back in a new window, from MacchiaRossa.ini.
TEST_F(EventiTest, LeScelteSonoRicordate) {
  {
    FinestraEventi& e = Apri(Ut(2027, 2, 12, 12, 0));
    Trova<QSpinBox>(&e, "giorni")->setValue(30);
    Trova<QCheckBox>(&e, "genere2")->setChecked(false);   // Ombre
    Trova<QCheckBox>(&e, "satellite3")->setChecked(false);  // Callisto
    Trova<QCheckBox>(&e, "soloOsservabili")->setChecked(false);
    Trova<QSpinBox>(&e, "altezzaMinima")->setValue(15);
    Trova<QComboBox>(&e, "cielo")->setCurrentIndex(0);  // Notte
    auto* fuso = Trova<QComboBox>(&e, "fuso");
    fuso->setEditText("America/New_York");
    emit fuso->lineEdit()->editingFinished();
    e.resize(1000, 700);
    e.close();
  }
  const std::string ini = LeggiFile(cartella_ / "MacchiaRossa.ini");
  for (const char* riga : {"giorni=30\n", "ombre=0\n", "callisto=0\n", "soloOsservabili=0\n",
                           "altezzaMinima=15\n", "cielo=notte\n", "fuso=America/New_York\n",
                           "geometria="})
    EXPECT_NE(ini.find(riga), std::string::npos) << riga << "\n" << ini;
  EXPECT_EQ(ini.find("[Eventi]"), 0u) << ini;

  FinestraEventi& e = Apri(Ut(2027, 2, 12, 12, 0));
  EXPECT_EQ(Trova<QSpinBox>(&e, "giorni")->value(), 30);
  EXPECT_FALSE(Trova<QCheckBox>(&e, "genere2")->isChecked());
  EXPECT_TRUE(Trova<QCheckBox>(&e, "genere1")->isChecked());
  EXPECT_FALSE(Trova<QCheckBox>(&e, "satellite3")->isChecked());
  EXPECT_FALSE(Trova<QCheckBox>(&e, "soloOsservabili")->isChecked());
  EXPECT_EQ(Trova<QSpinBox>(&e, "altezzaMinima")->value(), 15);
  EXPECT_EQ(Trova<QComboBox>(&e, "cielo")->currentIndex(), 0);
  EXPECT_EQ(Trova<QComboBox>(&e, "fuso")->currentText(), "America/New_York");
  EXPECT_EQ(e.size(), QSize(1000, 700));
  // 12:00 UT is 07:00 in New York in February.
  EXPECT_EQ(Trova<QDateTimeEdit>(&e, "inizio")->dateTime().toString("HH:mm"), "07:00");
  EXPECT_EQ(Trova<QLabel>(&e, "siglaInizio")->text(), "EST");
  for (const RigaPiano& r : e.Modello().Righe())
    EXPECT_TRUE(!r.Fenomeno() || r.Fenomeno()->codice != CodiceEvento::ShI);
}

// An unknown zone is refused with a notice; the zone in use stays.
TEST_F(EventiTest, UnFusoSconosciutoERifiutato) {
  FinestraEventi& e = Apri(Ut(2027, 2, 12, 12, 0));
  auto* fuso = Trova<QComboBox>(&e, "fuso");
  fuso->setEditText("Europe/Atlantide");
  emit fuso->lineEdit()->editingFinished();
  EXPECT_EQ(fuso->currentText(), "Europe/Rome");
  const auto avvisi = Avvisi();
  ASSERT_EQ(avvisi.size(), 1u);
  EXPECT_NE(avvisi[0].find("Europe/Atlantide"), std::string::npos);
}

TEST_F(EventiTest, EsportazioniRiuscite) {
  FinestraEventi& e = Apri(Ut(2027, 2, 12, 12, 0));
  const int righe = e.Modello().rowCount();
  ASSERT_GT(righe, 0);
  const fs::path csv = cartella_ / "eventi.csv", ics = cartella_ / "eventi.ics",
                 pdf = cartella_ / "eventi.pdf";
  ASSERT_TRUE(e.EsportaCsv(QString::fromStdString(csv.string())));
  const std::string testo = LeggiFile(csv);
  EXPECT_EQ(testo.rfind("utc,ora_locale,fuso,evento,satellite,descrizione,alt_giove,alt_sole\r\n", 0),
            0u);
  std::size_t linee = 0;
  for (std::size_t p = testo.find("\r\n"); p != std::string::npos; p = testo.find("\r\n", p + 2))
    ++linee;
  EXPECT_EQ(linee, static_cast<std::size_t>(righe) + 1);
  ASSERT_TRUE(e.EsportaICalendar(QString::fromStdString(ics.string())));
  EXPECT_EQ(LeggiFile(ics).rfind("BEGIN:VCALENDAR\r\n", 0), 0u);
  ASSERT_TRUE(e.EsportaPdf(QString::fromStdString(pdf.string())));
  const std::string documento = LeggiFile(pdf);
  EXPECT_EQ(documento.rfind("%PDF-", 0), 0u);
  EXPECT_NE(documento.find("/Type /Page"), std::string::npos);
  EXPECT_TRUE(Avvisi().empty());
}

// A file that cannot be written: an Italian notice names it and says why;
// what was there stays.
TEST_F(EventiTest, EsportazioneInUnPostoNonScrivibile) {
  FinestraEventi& e = Apri(Ut(2027, 2, 12, 12, 0));
  const fs::path manca = cartella_ / "manca" / "eventi.csv";
  EXPECT_FALSE(e.EsportaCsv(QString::fromStdString(manca.string())));
  EXPECT_EQ(Avvisi(), std::vector<std::string>{"Impossibile scrivere il file " + manca.string() +
                                               ": cartella inesistente"});
  const fs::path sola = cartella_ / "eventi.ics";
  std::ofstream(sola, std::ios::binary) << "vecchio";
  fs::permissions(sola, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_FALSE(e.EsportaICalendar(QString::fromStdString(sola.string())));
  EXPECT_EQ(LeggiFile(sola), "vecchio");
  bool trovato = false;
  for (const std::string& a : Avvisi())
    trovato |= a == "Impossibile scrivere il file " + sola.string() + ": il file è in sola lettura";
  EXPECT_TRUE(trovato);
  EXPECT_FALSE(e.EsportaPdf(QString::fromStdString((cartella_ / "manca" / "x.pdf").string())));
  EXPECT_FALSE(fs::exists(cartella_ / "manca"));
}

}  // namespace
}  // namespace mr

namespace mr {
namespace {

// The columns beside the description as wide as their texts and headings; the
// description the width left, never narrower than its longest text (a narrow
// window scrolls sideways instead); the first size fits the screen.
TEST_F(EventiTest, LaDescrizionePrendeLaLarghezzaCheResta) {
  FinestraEventi& e = Apri(Ut(2026, 12, 9, 12, 0));
  Trova<QSpinBox>(&e, "giorni")->setValue(3);
  QCoreApplication::processEvents();
  const QSize schermo = e.screen()->availableGeometry().size();
  EXPECT_LE(e.width(), schermo.width());
  EXPECT_LE(e.height(), schermo.height());
  EXPECT_LE(e.minimumSizeHint().width(), schermo.width());
  EXPECT_LE(e.minimumSizeHint().height(), schermo.height());

  auto* tabella = Trova<QTableView>(&e, "tabella");
  const ModelloEventi& m = e.Modello();
  ASSERT_GT(m.rowCount(), 3);
  const QFontMetrics metrica(tabella->font());
  // A cell's text margins, its grid line and a pixel of rounding.
  const int margini = 2 * (tabella->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1) + 2;
  const auto piuLargo = [&](int c) {
    int w = 0;
    for (int r = 0; r < m.rowCount(); ++r)
      w = std::max(w, metrica.horizontalAdvance(m.index(r, c).data().toString()));
    return w;
  };
  const QHeaderView* intestazione = tabella->horizontalHeader();
  for (int c = 0; c < ModelloEventi::NumeroColonne; ++c) {
    if (c == ModelloEventi::Descrizione) continue;
    EXPECT_LE(tabella->columnWidth(c), std::max(piuLargo(c) + margini, intestazione->sectionSizeHint(c)))
        << m.headerData(c, Qt::Horizontal).toString().toStdString();
  }
  const int descrizione = piuLargo(ModelloEventi::Descrizione);
  const auto somma = [&] {
    int s = 0;
    for (int c = 0; c < ModelloEventi::NumeroColonne; ++c) s += tabella->columnWidth(c);
    return s;
  };
  for (const QSize misura : {QSize(1500, 700), QSize(600, 500)}) {
    e.resize(misura);
    QCoreApplication::processEvents();
    const int larghezza = tabella->viewport()->width();
    EXPECT_GE(tabella->columnWidth(ModelloEventi::Descrizione), descrizione) << larghezza;
    if (somma() > larghezza) {
      EXPECT_LE(tabella->columnWidth(ModelloEventi::Descrizione), descrizione + margini);
      EXPECT_GT(tabella->horizontalScrollBar()->maximum(), 0);
    } else {
      EXPECT_EQ(somma(), larghezza);
    }
  }
  EXPECT_GT(tabella->horizontalScrollBar()->maximum(), 0);  // 600 pixels are too few
}

}  // namespace
}  // namespace mr
