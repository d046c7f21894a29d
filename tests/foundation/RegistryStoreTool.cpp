// Writes or reads settings through the registry layer in a process of its own:
//   registry_store_tool write <storage path>
//   registry_store_tool read
#include "foundation/Registry.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    const QString key = QStringLiteral("HKEY_CURRENT_USER\\Software\\Varnelo\\Horalux");
    try {
        if (argc == 3 && std::strcmp(argv[1], "write") == 0) {
            RegWriteString(key, QStringLiteral("StoragePath"), QString::fromUtf8(argv[2]));
            RegWriteInteger(key + QStringLiteral("\\Add Ins"), QStringLiteral("Sample Add-In"), 1);
            TvrnRegistry registry;
            if (!registry.OpenKey(QStringLiteral("\\Software\\Varnelo\\Horalux\\Display"), true))
                return 2;
            registry.WriteExpandString(QStringLiteral("Font Folder"), QStringLiteral("$HOME/fonts"));
            registry.WriteBinaryData(QStringLiteral("Blob"), QByteArray("\x00\x01\xfe", 3));
            registry.WriteInteger(QStringLiteral("Size"), -12);
            return 0;
        }
        if (argc == 2 && std::strcmp(argv[1], "read") == 0) {
            std::printf("%s\n", qPrintable(RegReadStringDef(key, QStringLiteral("StoragePath"), QStringLiteral("?"))));
            return 0;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 3;
}
