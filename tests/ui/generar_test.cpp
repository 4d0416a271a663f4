// "Nuevo aleatorio…" without widgets: the puzzle opens as a file does, its grade in the status
// bar; the work runs off the window's thread and Cancelar stops it.

#include <gtest/gtest.h>

#include "files/puzzle_xml.h"
#include "generador/generador.h"
#include "support/ventana_falsa.h"

namespace velmora {
namespace {

TEST(NuevoAleatorio, AbreComoUnFicheroUnPasoYDiceSuDificultad) {
    struct Caso {
        bool killer;
        Nivel nivel;
        const char* antes; // the puzzle on the board before, of the other mode or the same
    };
    const Caso casos[] = {
        {true, Nivel::Moderado, VELMORA_EXAMPLES "/clasico.xml"},
        {false, Nivel::Facil, VELMORA_EXAMPLES "/killer.xml"},
        {true, Nivel::Dificil, VELMORA_EXAMPLES "/killer.xml"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.antes);
        VentanaDePrueba v;
        Form1& f = v.f;
        Atender(f, [&] { f.PintarEnunciado(AbrirPuzzle(c.antes).enunciado); });
        const Enunciado antes = f.LeerEnunciado();
        const Generado esperado =
            Generar(c.killer ? TipoPuzzle::Killer : TipoPuzzle::Clasico, c.nivel, 42);
        ASSERT_TRUE(esperado);
        Atender(f, [&] { EXPECT_TRUE(f.NuevoAleatorio({c.killer, c.nivel, true, 42})); });
        EXPECT_EQ(f.LeerEnunciado(), esperado.enunciado);
        EXPECT_EQ(f.Tab.ModoKiller, c.killer);
        EXPECT_EQ(f.TextoEstado("."), "Dificultad: " + std::string(NombreNivel(c.nivel)) +
                                          " (puntuación " + std::to_string(esperado.puntuacion) +
                                          ")");
        ASSERT_TRUE(f.UltimaCalificacion());
        EXPECT_FALSE(f.UltimaCalificacion()->pasos.empty());
        EXPECT_TRUE(v.p.mensajes.empty());
        // One step back is the puzzle before; forward again the new one.
        Atender(f, [&] { f.Deshacer(); });
        EXPECT_EQ(f.LeerEnunciado(), antes);
        Atender(f, [&] { f.Rehacer(); });
        EXPECT_EQ(f.LeerEnunciado(), esperado.enunciado);
        // It solves as a drawn puzzle does.
        Atender(f, [&] { f.EjecutarHerramienta("ID_Resolver"); });
        EXPECT_EQ(f.TextoEstado(".").rfind("Resuelto en ", 0), 0u) << f.TextoEstado(".");
    }
}

// Guessing is out of reach by removing classic givens, so the work runs until cancelled.
TEST(NuevoAleatorio, EnSegundoPlanoYCancelable) {
    VentanaDePrueba v;
    Form1& f = v.f;
    Atender(f, [&] { f.PintarEnunciado(AbrirPuzzle(VELMORA_EXAMPLES "/killer.xml").enunciado); });
    const Enunciado antes = f.LeerEnunciado();
    std::vector<std::string> estados;
    bool soloCancelar = true;
    v.p.alProcesar = [&](int n) {
        estados.push_back(f.TextoEstado("."));
        for (int h = 0; h < kHerramientas && n <= 3; ++h)
            soloCancelar &= f.Habilitada(static_cast<Herramienta>(h)) ==
                            (static_cast<Herramienta>(h) == Herramienta::Cancelar);
        if (n == 3) f.EjecutarHerramienta("ID_Cancelar");
    };
    Atender(f, [&] { EXPECT_FALSE(f.NuevoAleatorio({false, Nivel::PruebaYError, true, 1})); });
    ASSERT_GE(estados.size(), 3u);
    EXPECT_TRUE(soloCancelar);
    EXPECT_EQ(estados[0].rfind("Generando… ", 0), 0u) << estados[0];
    EXPECT_EQ(f.TextoEstado("."), "Cancelado");
    EXPECT_TRUE(v.p.mensajes.empty());
    EXPECT_EQ(f.LeerEnunciado(), antes);
    EXPECT_FALSE(f.Resolviendo());
    EXPECT_TRUE(f.Habilitada(Herramienta::Resolver));
}

} // namespace
} // namespace velmora
