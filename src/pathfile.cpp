#include "pathfile.h"
#include "ui/sysutils.h"
#include "ui/textfile.h"

std::string PathFileName()
{
    return ui::ExtractFilePath(ui::ModuleFileName()) + "lumbra.dat";
}

std::string ReadPath()
{
    return ui::ReadFirstLine(PathFileName());
}

void WritePath(const std::string& path)
{
    ui::WriteLineReplacing(PathFileName(), path);
}
