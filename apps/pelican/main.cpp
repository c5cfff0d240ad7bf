#include "editor/RunProgram.h"
#include "pelican/PelicanFamily.h"

int main(int argc, char *argv[])
{
    return RunEditorProgram(argc, argv, PelicanFamily);
}
