// Entry point of the player.
int main()
{
    return 0;
}
