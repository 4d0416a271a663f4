// Play in the window, offscreen: entering and leaving it, its keys, what the cells paint, the
// clock, and the game kept at close. With play off the client area paints as it did before.

#include <QFile>

#include "files/puzzle_xml.h"
#include "juego/estado.h"
#include "support/ventana_abierta.h"

namespace velmora {
namespace {

class Juego : public VentanaAbierta {
protected:
    void SetUp() override {
        form.Reloj = [this] { return ahora; };
        VentanaAbierta::SetUp();
    }
    QAction* Accion(const char* nombre) { return w.findChild<QAction*>(QString::fromUtf8(nombre)); }
    void Abrir(const char* ruta) {
        form.AnotarCambio();
        form.PintarEnunciado(AbrirPuzzle(ruta).enunciado);
        form.AnotarCambio();
        w.Actualizar();
    }
    void Jugar(const char* ruta = VELMORA_EXAMPLES "/killer.xml") {
        Abrir(ruta);
        Accion("Jugar")->trigger();
        ASSERT_TRUE(form.Jugando());
    }
    // The first empty cell from the cursor's start, and its solution digit.
    int Libre() const {
        for (int k = 0; k < kCasillas; ++k)
            if (!form.Juego()->enunciado.fijas[k]) return k;
        return -1;
    }
    QImage Celda(int k) const { return w.lb(k)->grab().toImage(); }
    static int Pixeles(const QImage& img, const QColor& c) {
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                n += img.pixelColor(x, y) == c;
        return n;
    }
    // Pixels far from the background: ink of any colour.
    static int Tinta(const QImage& img, const QColor& fondo) {
        int n = 0;
        for (int y = 2; y < img.height() - 2; ++y)
            for (int x = 2; x < img.width() - 2; ++x) {
                const QColor c = img.pixelColor(x, y);
                n += std::abs(c.red() - fondo.red()) + std::abs(c.green() - fondo.green()) +
                         std::abs(c.blue() - fondo.blue()) >
                     120;
            }
        return n;
    }
    void Ir(int k) {
        w.lb(k)->alPulsar();
        ASSERT_EQ(form.Cursor, k);
    }

    int64_t ahora = 0;
};

TEST_F(Juego, TheClientAreaIsTheSameBeforeAndAfterPlaying) {
    Abrir(VELMORA_EXAMPLES "/killer.xml");
    const QImage antes = Cliente();
    Accion("Jugar")->trigger();
    ASSERT_TRUE(form.Jugando());
    const int k = Libre();
    Ir(k);
    Tecla(Qt::Key_5, Qt::Key_Right, Qt::SHIFT | Qt::Key_3, Qt::Key_C, Qt::Key_P, Qt::Key_P);
    EXPECT_NE(Cliente(), antes);
    Accion("DejarDeJugar")->trigger();
    EXPECT_FALSE(form.Jugando());
    EXPECT_EQ(Cliente(), antes);
    EXPECT_EQ(form.LeerEnunciado(), AbrirPuzzle(VELMORA_EXAMPLES "/killer.xml").enunciado)
        << "play never reaches the puzzle";
}

TEST_F(Juego, OnlyAPuzzleWithOneSolutionIsPlayed) {
    Accion("Jugar")->trigger(); // the empty board has no segments: F7's message says why
    EXPECT_FALSE(form.Jugando());
    ASSERT_EQ(plataforma.mensajes.size(), 1u);
    plataforma.mensajes.clear();
    Abrir(VELMORA_EXAMPLES "/killer_parcial.xml");
    Accion("Jugar")->trigger();
    EXPECT_TRUE(form.Jugando() || plataforma.mensajes.size() == 1u);
    plataforma.mensajes.clear();
    Jugar();
    EXPECT_TRUE(plataforma.mensajes.empty()) << "one solution: no box, and it stays unshown";
    for (int k = 0; k < kCasillas; ++k)
        EXPECT_TRUE(form.Juego()->enunciado.fijas[k] || form.TextoCelda(k).empty()) << k;
    EXPECT_FALSE(form.Habilitada(Herramienta::Resolver));
    EXPECT_FALSE(w.Comprobar()->isEnabled());
    EXPECT_FALSE(Accion("Jugar")->isEnabled());
    EXPECT_TRUE(Accion("Pista")->isEnabled());
}

TEST_F(Juego, KeysEnterDigitsMarksAndUndo) {
    Jugar();
    const int k = Libre();
    Ir(k);
    Tecla(Qt::Key_7);
    EXPECT_EQ(form.Juego()->cifras[k], 7);
    EXPECT_EQ(w.lb(k)->Juego().cifra, 7);
    Tecla(Qt::Key_7); // the same digit again takes it out
    EXPECT_EQ(form.Juego()->cifras[k], 0);
    Tecla(Qt::SHIFT | Qt::Key_2, Qt::SHIFT | Qt::Key_4);
    EXPECT_EQ(form.Juego()->marcas[k], (1 << 2) | (1 << 4));
    Tecla(Qt::Key_L);
    EXPECT_TRUE(form.Lapiz());
    Tecla(Qt::Key_4);
    EXPECT_EQ(form.Juego()->marcas[k], 1 << 2);
    Tecla(Qt::Key_L, Qt::CTRL | Qt::Key_Z);
    EXPECT_EQ(form.Juego()->marcas[k], (1 << 2) | (1 << 4));
    Tecla(Qt::CTRL | Qt::Key_Y);
    EXPECT_EQ(form.Juego()->marcas[k], 1 << 2);
    Tecla(Qt::Key_Backspace);
    EXPECT_EQ(form.Juego()->marcas[k], 0);
    // Arrows move the cursor; Space and the drawing keys draw nothing.
    const int antes = form.Cursor;
    Tecla(Qt::Key_Down);
    EXPECT_EQ(form.Cursor, antes + 9 <= 80 ? antes + 9 : antes);
    const Enunciado e = form.LeerEnunciado();
    Tecla(Qt::Key_Space, Qt::Key_Delete);
    w.S(3)->alPulsar();
    EXPECT_EQ(form.LeerEnunciado(), e);
    EXPECT_EQ(form.SegSeleccionado, -1);
}

TEST_F(Juego, DigitsTypedInASumBoxGoToTheGame) {
    Abrir(VELMORA_EXAMPLES "/killer.xml");
    w.T(0)->setFocus(Qt::MouseFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), w.T(0));
    Accion("Jugar")->trigger();
    ASSERT_TRUE(form.Jugando());
    Ir(Libre());
    Tecla(Qt::Key_5);
    EXPECT_EQ(form.Juego()->cifras[Libre()], 5);
    EXPECT_EQ(form.T[0], AbrirPuzzle(VELMORA_EXAMPLES "/killer.xml").enunciado.sumas[0]);
}

TEST_F(Juego, VaciarAsksFirst) {
    Jugar();
    Ir(Libre());
    Tecla(Qt::Key_4);
    w.Accion(Herramienta::Vaciar)->trigger(); // the script closes the box without "Borrar"
    ASSERT_EQ(plataforma.mensajes.size(), 1u);
    EXPECT_EQ(form.Juego()->cifras[Libre()], 4);
}

TEST_F(Juego, CellsPaintDigitsMarksClashesAndPause) {
    Jugar();
    const int k = Libre();
    Ir(k);
    const QColor fondo = w.lb(k)->Fondo();
    const int vacia = Tinta(Celda(k), fondo);
    Tecla(Qt::SHIFT | Qt::Key_1, Qt::SHIFT | Qt::Key_9);
    const int marcas = Tinta(Celda(k), fondo);
    EXPECT_GT(marcas, vacia);
    Tecla(Qt::Key_8);
    EXPECT_GT(Pixeles(Celda(k), QColor(16, 48, 176)), 0) << "the player's colour";
    // The same digit in the same row clashes: red.
    const int otra = k % 9 == 8 ? k - 1 : k + 1;
    if (!form.Juego()->enunciado.fijas[otra]) {
        Ir(otra);
        Tecla(Qt::Key_8);
        EXPECT_TRUE(w.lb(k)->Juego().roja);
        EXPECT_GT(Pixeles(Celda(k), QColor(220, 0, 0)) + Pixeles(Celda(k), QColor(255, 140, 140)),
                  0);
        form.CambiarAyudas({false, true, true});
        w.Actualizar();
        EXPECT_FALSE(w.lb(k)->Juego().roja) << "the help switched off";
        form.CambiarAyudas({true, true, true});
    }
    // Paused, nothing of the puzzle shows.
    Tecla(Qt::Key_P);
    for (int j = 0; j < kCasillas; ++j)
        ASSERT_EQ(Tinta(Celda(j), w.lb(j)->Fondo()), 0) << j;
    Tecla(Qt::Key_8); // no entry while paused
    Tecla(Qt::Key_P);
    EXPECT_GT(Pixeles(Celda(k), QColor(16, 48, 176)) + Pixeles(Celda(k), QColor(220, 0, 0)) +
                  Pixeles(Celda(k), QColor(255, 140, 140)),
              0);
}

TEST_F(Juego, ClockCheckAndFinish) {
    Jugar();
    ahora += 61000;
    EXPECT_TRUE(form.TextoEstado("").starts_with("01:01")) << form.TextoEstado("");
    Tecla(Qt::Key_P);
    ahora += 100000;
    EXPECT_TRUE(form.TextoEstado("").starts_with("01:01"));
    Tecla(Qt::Key_P);
    form.VentanaActiva(false, true); // in another program: the grid hides too
    w.Actualizar();
    EXPECT_TRUE(w.lb(Libre())->Juego().oculta);
    form.VentanaActiva(false); // a box of this program over the window: the grid shows
    w.Actualizar();
    EXPECT_FALSE(w.lb(Libre())->Juego().oculta);
    ahora += 100000;
    form.VentanaActiva(true);
    EXPECT_EQ(form.Milisegundos(), 61000);
    // Two digits, one wrong: Comprobar counts and outlines it.
    const Partida& p = *form.Juego();
    std::vector<int> libres;
    for (int k = 0; k < kCasillas; ++k)
        if (!p.enunciado.fijas[k]) libres.push_back(k);
    Ir(libres[0]);
    Tecla(Cifra(p.solucion[libres[0]]));
    Ir(libres[1]);
    Tecla(Cifra(p.solucion[libres[1]] % 9 + 1));
    Accion("ComprobarJuego")->trigger();
    EXPECT_NE(form.TextoEstado("").find("1 cifra está mal"), std::string::npos);
    EXPECT_TRUE(w.lb(libres[1])->Marcada());
    EXPECT_FALSE(w.lb(libres[0])->Marcada());
    // A hint function placing the solution's digit, applied on the second press.
    form.BuscarPista = [](const Partida& j) -> std::optional<Pista> {
        for (int k = 0; k < kCasillas; ++k)
            if (CifraEn(j, k) == 0) {
                Pista h{"Casilla única", {}, {{k, j.solucion[k]}}, {}};
                h.casillas.set(k);
                return h;
            }
        return std::nullopt;
    };
    form.CalificarPartida = [](const Enunciado&, std::stop_token) -> std::optional<std::string> {
        return "Fácil";
    };
    Accion("Pista")->trigger(); // a wrong digit first
    EXPECT_NE(form.TextoEstado("").find("Antes de la pista: 1 cifra"), std::string::npos);
    EXPECT_TRUE(w.lb(libres[1])->Marcada());
    Ir(libres[1]);
    Tecla(Qt::Key_Delete);
    Accion("Pista")->trigger();
    EXPECT_NE(form.TextoEstado("").find("Casilla única"), std::string::npos);
    EXPECT_TRUE(w.lb(libres[1])->Juego().pista);
    Accion("Pista")->trigger();
    EXPECT_EQ(form.Juego()->pistas, 1);
    // The rest by hand.
    for (const int k : libres)
        if (form.Juego()->cifras[k] == 0) {
            Ir(k);
            Tecla(Cifra(p.solucion[k]));
        }
    EXPECT_TRUE(form.JuegoTerminado());
    ASSERT_FALSE(plataforma.mensajes.empty());
    EXPECT_EQ(plataforma.mensajes.back().texto,
              QString::fromUtf8("¡Enhorabuena! Has resuelto el sudoku en 01:01 con 1 pista.\n"
                                "Dificultad: Fácil."));
    ahora += 5000;
    EXPECT_EQ(form.Milisegundos(), 61000) << "stopped";
    EXPECT_FALSE(AbrirPartida(plataforma.CarpetaConfiguracion()).hay);
}

TEST_F(Juego, ClosingKeepsTheGameAndTheNextStartOffersIt) {
    Jugar();
    const int k = Libre();
    Ir(k);
    Tecla(Qt::Key_6, Qt::Key_Right, Qt::SHIFT | Qt::Key_2);
    ahora += 90000;
    w.close();
    const PartidaGuardada g = AbrirPartida(plataforma.CarpetaConfiguracion());
    ASSERT_TRUE(g.partida);
    EXPECT_EQ(g.partida->cifras[k], 6);
    EXPECT_EQ(g.partida->milisegundos, 90000);

    Form1 otra(plataforma);
    otra.Reloj = [] { return int64_t{0}; };
    otra.Form_Load();
    otra.Form_Activate();
    EXPECT_FALSE(otra.Jugando()) << "never on its own";
    otra.AvisarSinGuardar();
    EXPECT_NE(otra.TextoEstado("").find("Continuar partida"), std::string::npos);
    ASSERT_TRUE(otra.ContinuarPartida());
    EXPECT_TRUE(otra.Jugando());
    EXPECT_EQ(otra.Juego()->cifras[k], 6);
    EXPECT_EQ(otra.Milisegundos(), 90000);
    EXPECT_EQ(otra.LeerEnunciado(), g.partida->enunciado);
}

TEST_F(Juego, ADamagedGameIsIgnoredWithAMessage) {
    QFile f(plataforma.carpeta.filePath(kNombrePartida));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("{\"velmora-partida\":1,\"cifras\":[1,2");
    f.close();
    Form1 otra(plataforma);
    otra.Form_Load();
    otra.Form_Activate();
    otra.AvisarSinGuardar();
    EXPECT_NE(otra.TextoEstado("").find("dañada"), std::string::npos);
    EXPECT_FALSE(otra.ContinuarPartida());
    EXPECT_FALSE(otra.Jugando());
}

TEST_F(Juego, LeavingOnNuevoAbrirAndModeSwitch) {
    for (Herramienta h : {Herramienta::Nuevo, Herramienta::Normal}) {
        Jugar();
        w.Accion(h)->trigger();
        EXPECT_FALSE(form.Jugando()) << static_cast<int>(h);
    }
    Jugar();
    plataforma.fichero = QStringLiteral(VELMORA_EXAMPLES "/clasico.xml");
    w.Accion(Herramienta::Abrir)->trigger();
    EXPECT_FALSE(form.Jugando());
}

TEST_F(Juego, HelpsAreRemembered) {
    form.CambiarAyudas({true, false, true});
    Form1 otra(plataforma);
    otra.Form_Load();
    Abrir(VELMORA_EXAMPLES "/killer.xml");
    otra.PintarEnunciado(form.LeerEnunciado());
    otra.Jugar();
    EXPECT_EQ(otra.AyudasJuego(), (Form1::Ayudas{true, false, true}));
    // The recent files are still read around the line.
    EXPECT_TRUE(form.Recientes().isEmpty() || !form.Recientes().first().startsWith("juego="));
}

} // namespace
} // namespace velmora
