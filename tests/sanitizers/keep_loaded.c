/* Linked into the programs of the sanitizer build only (scripts/sanitize.sh). Mesa unloads its OpenGL driver when
 * the last display connection closes, before the leak check that runs at exit; memory the driver still points at
 * from its own globals then looks leaked, with no name to suppress it by. Keeping every library loaded to the end
 * makes that memory reachable again, and anything the driver really leaks keeps a symbolised stack. */
int dlclose(void *handle)
{
    (void)handle;
    return 0;
}
