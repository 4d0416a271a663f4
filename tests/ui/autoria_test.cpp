// Undo and redo, the uniqueness verdict and the status bar, without widgets.

#include <gtest/gtest.h>

#include "files/puzzle_xml.h"
#include "generador/generador.h"
#include "support/ventana_falsa.h"

namespace velmora {
namespace {

void Abrir(Form1& f, const QString& ruta) {
    Atender(f, [&] { f.PintarEnunciado(AbrirPuzzle(ruta).enunciado); });
}

TEST(Deshacer, CadaCambioEsUnPasoYLaSumaTecleadaUnoSolo) {
    VentanaDePrueba v;
    Form1& f = v.f;
    EXPECT_FALSE(f.PuedeDeshacer());
    Atender(f, [&] { f.S_Click(4); });
    f.T_Change(4, "1"); // typing: noted once the box is left
    f.T_Change(4, "12");
    Atender(f, [&] { f.lb_Click(0); }); // the sum is a step of its own, then the cell
    Atender(f, [&] { f.lb_Click(1); });
    Atender(f, [&] { f.EjecutarHerramienta("ID_Normal"); });
    Atender(f, [&] {
        f.N_Click(6);
        f.lb_Click(40);
    });

    // Each undo takes one change back, in reverse order.
    const std::vector<std::function<void()>> pasos = {
        [&] { EXPECT_TRUE(f.TextoCelda(40).empty()); },
        [&] {
            EXPECT_EQ(f.Caption, "Sudoku Killer");
            EXPECT_EQ(f.lb[1], kPaleta[4]);
        },
        [&] { EXPECT_EQ(f.lb[1], kLbNulo); },
        [&] {
            EXPECT_EQ(f.lb[0], kLbNulo);
            EXPECT_EQ(f.T[4], "12");
        },
        [&] { EXPECT_EQ(f.T[4], ""); },
    };
    for (const auto& comprobar : pasos) {
        Atender(f, [&] { f.Deshacer(); });
        comprobar();
    }
    EXPECT_FALSE(f.PuedeDeshacer());

    Atender(f, [&] { f.Rehacer(); });
    Atender(f, [&] { f.Rehacer(); });
    EXPECT_EQ(f.lb[0], kPaleta[4]);
    EXPECT_EQ(f.Tab.CasillaSeg[0], 4);
    EXPECT_TRUE(f.PuedeRehacer());
    Atender(f, [&] {
        f.S_Click(3);
        f.lb_Click(2);
    }); // a new change drops what could be redone
    EXPECT_FALSE(f.PuedeRehacer());
}

TEST(Deshacer, QuitaLaSolucionYNoSeUsaDuranteLaBusqueda) {
    VentanaDePrueba v;
    Form1& f = v.f;
    Atender(f, [&] { f.EjecutarHerramienta("ID_Normal"); });
    Atender(f, [&] {
        f.N_Click(0);
        f.lb_Click(0);
    });
    bool durante = true;
    v.p.alProcesar = [&](int) { durante = f.PuedeDeshacer() || f.PuedeRehacer(); };
    Atender(f, [&] { f.EjecutarHerramienta("ID_Resolver"); });
    EXPECT_FALSE(durante);
    ASSERT_EQ(f.TextoCelda(80).size(), 1u);
    Atender(f, [&] { f.Deshacer(); });
    EXPECT_EQ(Celdas(f), std::string(kCasillas, '.'));
    EXPECT_EQ(f.Caption, "Sudoku Normal");
}

TEST(Deshacer, GuardaAlMenosDoscientosPasos) {
    VentanaDePrueba v;
    Form1& f = v.f;
    for (int i = 0; i < 250; ++i) {
        f.T_Change(0, std::to_string(i % 50));
        f.AnotarCambio();
    }
    int pasos = 0;
    while (f.PuedeDeshacer()) {
        f.Deshacer();
        ++pasos;
    }
    EXPECT_GE(pasos, 200);
}

struct CasoVeredicto {
    const char* fichero;
    Mensaje mensaje;
    bool marcas;
};

TEST(ComprobarUnica, VeredictoSolucionYMarcas) {
    const Mensaje unica{"El sudoku tiene una única solución.", "Comprobación", Icono::Informacion};
    const Mensaje varias{"El sudoku tiene más de una solución. Las casillas marcadas difieren "
                         "entre dos de ellas.",
                         "Comprobación", Icono::Exclamacion};
    const Mensaje ninguna{"El sudoku no tiene solución.", "Comprobación", Icono::Exclamacion};
    const CasoVeredicto casos[] = {
        {VELMORA_EXAMPLES "/killer.xml", unica, false},
        {VELMORA_EXAMPLES "/clasico.xml", unica, false},
        {VELMORA_TEST_DATA "/clasico_vacio.xml", varias, true},
        {VELMORA_TEST_DATA "/clasico_sin_solucion.xml", ninguna, false},
    };
    for (const CasoVeredicto& c : casos) {
        SCOPED_TRACE(c.fichero);
        VentanaDePrueba v;
        Form1& f = v.f;
        const Apertura a = AbrirPuzzle(QString::fromUtf8(c.fichero));
        ASSERT_TRUE(a.completo);
        Atender(f, [&] { f.PintarEnunciado(a.enunciado); });
        Atender(f, [&] { f.ComprobarUnica(); });
        EXPECT_EQ(v.p.mensajes, Solo(c.mensaje));
        EXPECT_EQ(f.Marcadas.any(), c.marcas);
        if (c.mensaje == unica) {
            // The verdict's solution is the one the search finds.
            const std::string vista = Celdas(f);
            Atender(f, [&] { f.EjecutarHerramienta("ID_Resolver"); });
            EXPECT_EQ(vista, Celdas(f));
            continue;
        }
        Atender(f, [&] { f.EjecutarHerramienta("ID_Vaciar"); });
        EXPECT_FALSE(f.Marcadas.any());
        // Without exactly one solution there are no steps to grade nor a hint.
        Atender(f, [&] { EXPECT_FALSE(f.Calificar()); });
        EXPECT_FALSE(f.UltimaCalificacion());
        ASSERT_EQ(v.p.mensajes.size(), 2u);
        EXPECT_EQ(v.p.mensajes[1].titulo, "Dificultad");
        Atender(f, [&] { f.DarPista(); });
        EXPECT_EQ(v.p.mensajes.size(), 3u);
    }
}

// Two solutions: both drawn before the box, the box's extra button and the menu switch between
// them; the marks stay.
TEST(ComprobarUnica, LaOtraSolucion) {
    VentanaDePrueba v;
    Form1& f = v.f;
    Abrir(f, VELMORA_TEST_DATA "/clasico_vacio.xml");
    std::vector<std::string> tras;
    v.p.alMostrar = [&] { tras.push_back(Celdas(f)); };
    v.p.pulsarBoton = true;
    Atender(f, [&] { f.ComprobarUnica(); });
    ASSERT_EQ(v.p.botones, std::vector<std::string>{"Ver la otra solución"});
    ASSERT_EQ(tras.size(), 1u);
    EXPECT_EQ(tras[0].find('.'), std::string::npos) << tras[0];
    const std::string segunda = Celdas(f);
    EXPECT_NE(segunda, tras[0]);
    for (int k = 0; k < kCasillas; ++k)
        EXPECT_EQ(f.Marcadas[k], segunda[k] != tras[0][k]) << k;
    ASSERT_TRUE(f.HayOtraSolucion());
    Atender(f, [&] { f.OtraSolucion(); });
    EXPECT_EQ(Celdas(f), tras[0]);
    EXPECT_EQ(f.TextoEstado("."), "Más de una solución");
    Atender(f, [&] { f.EjecutarHerramienta("ID_Vaciar"); });
    EXPECT_FALSE(f.HayOtraSolucion());

    // One solution: drawn before its box too.
    Abrir(f, VELMORA_EXAMPLES "/clasico.xml");
    Atender(f, [&] { f.ComprobarUnica(); });
    EXPECT_EQ(tras.back(), Celdas(f));
    EXPECT_EQ(tras.back().find('.'), std::string::npos);
    EXPECT_FALSE(f.HayOtraSolucion());
}

// The verdict, the grade and a new random puzzle run off the window's thread: the tools in their
// solving set and the work in the status bar while they run, Cancelar or a close stop them,
// nothing is said after and the board stays.
TEST(SegundoPlano, CancelableYAlCerrar) {
    const struct {
        const char* nombre;
        std::function<void(Form1&)> trabajo;
        bool cerrar;
        std::string durante, ramas, tras;
    } casos[] = {
        {"comprobar", [](Form1& f) { f.ComprobarUnica(); }, false, "Comprobando… ", " ramas",
         "Comprobación cancelada tras "},
        {"cerrar", [](Form1& f) { f.ComprobarUnica(); }, true, "Comprobando… ", " ramas",
         "Comprobación cancelada tras "},
        {"calificar", [](Form1& f) { EXPECT_FALSE(f.Calificar()); }, false, "", "", "Cancelado"},
        // Guessing is out of reach by removing classic givens, so the work runs until cancelled.
        {"generar",
         [](Form1& f) {
             EXPECT_FALSE(f.NuevoAleatorio({false, Nivel::PruebaYError, true, 1}));
         },
         false, "Generando… ", "", "Cancelado"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        VentanaDePrueba v;
        Form1& f = v.f;
        f.Juez = JuezLento;
        Abrir(f, VELMORA_EXAMPLES "/killer.xml");
        const Enunciado antes = f.LeerEnunciado();
        std::vector<std::string> estados;
        bool soloCancelar = true;
        v.p.alProcesar = [&](int n) {
            estados.push_back(f.TextoEstado("."));
            for (int h = 0; h < kHerramientas && n <= 3; ++h)
                soloCancelar &= f.Habilitada(static_cast<Herramienta>(h)) ==
                                (static_cast<Herramienta>(h) == Herramienta::Cancelar);
            if (n == 3) {
                if (c.cerrar)
                    EXPECT_FALSE(f.PuedeCerrar());
                else
                    f.EjecutarHerramienta("ID_Cancelar");
            }
        };
        Atender(f, [&] { c.trabajo(f); });
        ASSERT_GE(estados.size(), 3u);
        EXPECT_TRUE(soloCancelar);
        EXPECT_TRUE(estados[0].starts_with(c.durante) && estados[0].ends_with(c.ramas))
            << estados[0];
        EXPECT_TRUE(v.p.mensajes.empty());
        EXPECT_FALSE(f.Resolviendo());
        EXPECT_EQ(f.CierrePendiente(), c.cerrar);
        EXPECT_TRUE(f.Habilitada(Herramienta::Resolver));
        EXPECT_TRUE(f.TextoEstado(".").starts_with(c.tras)) << f.TextoEstado(".");
        EXPECT_EQ(f.LeerEnunciado(), antes);
        EXPECT_EQ(Celdas(f), std::string(kCasillas, '.'));
    }
}

// The grade, its steps outlined one by one, the hint from the givens.
TEST(Dificultad, CalificaMarcaLosPasosYDaLaPista) {
    VentanaDePrueba v;
    Form1& f = v.f;
    Abrir(f, VELMORA_EXAMPLES "/killer.xml");
    Atender(f, [&] { EXPECT_TRUE(f.Calificar()); });
    ASSERT_TRUE(f.UltimaCalificacion());
    const Calificacion& cal = *f.UltimaCalificacion();
    EXPECT_TRUE(cal.resuelto);
    ASSERT_FALSE(cal.pasos.empty());
    EXPECT_EQ(f.TextoEstado("."), "Dificultad: " + std::string(NombreNivel(cal.nivel)) +
                                      " (puntuación " + std::to_string(cal.puntuacion) + ")");
    for (const int i : {0, static_cast<int>(cal.pasos.size()) - 1}) {
        f.ResaltarPaso(i);
        for (const uint8_t k : cal.pasos[i].cambiadas)
            EXPECT_TRUE(f.Marcadas[k]) << i << ' ' << int{k};
    }
    f.ResaltarPaso(-1);
    EXPECT_FALSE(f.Marcadas.any());
    EXPECT_TRUE(v.p.mensajes.empty());

    Atender(f, [&] { f.DarPista(); });
    EXPECT_EQ(f.TextoEstado("."), "Pista: " + cal.pasos[0].frase);
    for (const uint8_t k : cal.pasos[0].cambiadas)
        EXPECT_TRUE(f.Marcadas[k]) << int{k};
    Atender(f, [&] { f.S_Click(0); }); // a change takes the outline away
    Atender(f, [&] { f.lb_Click(80); });
    EXPECT_FALSE(f.Marcadas.any());
}

// Play's hints and grade come from the step solver: a hint never contradicts the solution,
// from the givens or with some digits placed.
TEST(Dificultad, LaPistaDelJuegoSigueLaSolucion) {
    for (const char* fichero : {"killer.xml", "clasico.xml"}) {
        SCOPED_TRACE(fichero);
        Partida p;
        p.enunciado = AbrirPuzzle(QStringLiteral(VELMORA_EXAMPLES "/") + fichero).enunciado;
        const Candidatos c(p.enunciado);
        const Veredicto v = Juzgar(c.ReglasDelPuzzle());
        ASSERT_EQ(v.soluciones, 1);
        p.solucion = v.primera;
        for (int colocadas = 0; colocadas < 3; ++colocadas) {
            const std::optional<Pista> h = PistaDeLaLogica(p);
            ASSERT_TRUE(h);
            EXPECT_FALSE(h->frase.empty());
            EXPECT_TRUE(h->casillas.any());
            for (const auto& [k, d] : h->colocadas)
                EXPECT_EQ(d, p.solucion[k]) << h->frase;
            for (const auto& [k, digitos] : h->eliminadas)
                EXPECT_FALSE(digitos & Bit(p.solucion[k])) << h->frase;
            for (int k = 0; k < kCasillas; ++k) // one more digit of the solution, by hand
                if (!p.enunciado.fijas[k] && !p.cifras[k]) {
                    p.cifras[k] = p.solucion[k];
                    break;
                }
        }
    }
    EXPECT_TRUE(CalificacionDeLaLogica(
                    AbrirPuzzle(QStringLiteral(VELMORA_EXAMPLES "/clasico.xml")).enunciado, {})
                    .has_value());
}

TEST(ComprobarUnica, UnaValidacionFallidaSoloMuestraSuMensaje) {
    VentanaDePrueba v;
    Form1& f = v.f;
    f.S_Click(0);
    f.lb_Click(0);
    f.ComprobarUnica();
    ASSERT_EQ(v.p.mensajes.size(), 1u);
    EXPECT_EQ(v.p.mensajes[0].titulo, "Fallo en segmento 1");
    // Only the segment the message names is outlined: no verdict's marks.
    EXPECT_EQ(f.Marcadas, std::bitset<kCasillas>(1));
}

TEST(Estado, DiceLoQueHayYLasCombinaciones) {
    VentanaDePrueba v;
    Form1& f = v.f;
    const auto segmento = [&](int i, const char* suma, std::initializer_list<int> casillas) {
        Atender(f, [&] { f.S_Click(i); });
        f.T_Change(i, suma);
        for (const int k : casillas)
            Atender(f, [&] { f.lb_Click(k); });
    };
    segmento(4, "7", {0, 1, 2});
    EXPECT_EQ(f.TextoEstado("."), "Segmento 5 · 3 casillas · suma 7 · 1+2+4");
    segmento(5, "20", {3, 4, 5, 6});
    EXPECT_EQ(f.TextoEstado("."), "Segmento 6 · 4 casillas · suma 20 · 12 combinaciones: 1+2+8+9, "
                                  "1+3+7+9, 1+4+6+9, 1+4+7+8, 1+5+6+8, 2+3+6+9…");
    segmento(6, "45", {9});
    EXPECT_EQ(f.TextoEstado("."), "Segmento 7 · 1 casilla · suma 45 · ninguna combinación");
    segmento(7, "", {});
    EXPECT_EQ(f.TextoEstado("."), "Segmento 8 · 0 casillas · sin suma");
    Atender(f, [&] { f.S_Click(7); });
    EXPECT_EQ(f.TextoEstado("."), "Casillas: 8 de 81 · Suma: 72 de 405");

    Atender(f, [&] { f.EjecutarHerramienta("ID_Normal"); });
    Atender(f, [&] {
        f.N_Click(2);
        f.lb_Click(10);
    });
    EXPECT_EQ(f.TextoEstado("."), "Pistas: 1 de 81");
    std::string durante;
    v.p.alProcesar = [&](int) { durante = f.TextoEstado("."); };
    Atender(f, [&] { f.EjecutarHerramienta("ID_Resolver"); });
    EXPECT_EQ(durante, "Resolviendo…");
    EXPECT_EQ(f.TextoEstado("."),
              "Resuelto en " + FormatearMovimientos(f.Tab.Movimientos, ".") + " movimientos");
    Atender(f, [&] { f.lb_Click(11); });
    EXPECT_EQ(f.TextoEstado("."), "Pistas: 2 de 81");
}

} // namespace
} // namespace velmora
