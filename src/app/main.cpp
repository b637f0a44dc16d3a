// The program's entry point: everything happens in WinMain (app/WinMain.h).
#include "app/WinMain.h"

int main(int argc, char** argv)
{
    return WinMain(argc, argv);
}
