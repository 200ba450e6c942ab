// Writes the game's icon at the sizes desktops look for:
// <folder>/glubbershoot-<size>.png for every size of the theme.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/spielsymbol.h"
#include "png.h"

namespace {

const int ICON_GROESSEN[] = {16, 32, 48, 64, 128, 256};

}   // namespace

int main(int argc, char** argv) {
    if (argc != 2 || argv[1][0] == 0) {
        std::fprintf(stderr, "usage: %s <folder>\n", argc > 0 ? argv[0] : "glubbershoot-icons");
        return 2;
    }
    for (const int groesse : ICON_GROESSEN) {
        std::vector<uint32_t> argb(static_cast<size_t>(groesse) * static_cast<size_t>(groesse), 0);
        plat_common_spielsymbol_malen(groesse, argb.data());
        const std::string datei = std::string(argv[1]) + "/glubbershoot-" + std::to_string(groesse) + ".png";
        const int fehler = Png_schreiben(datei.c_str(), groesse, groesse, argb.data());
        if (fehler != 0) {
            std::fprintf(stderr, "glubbershoot-icons: cannot write %s (error %d)\n", datei.c_str(), fehler);
            return 1;
        }
    }
    return 0;
}
