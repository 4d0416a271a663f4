// "Nuevo aleatorio…" without widgets: the puzzle opens as a file does, its grade in the status
// bar. Its work off the window's thread is checked with the verdict's (autoria_test).

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
        {true, Nivel::Facil, VELMORA_EXAMPLES "/clasico.xml"},
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

} // namespace
} // namespace velmora
