"""The lines the end-to-end scripts print: "ok:", "FAIL:" (which the shell scripts count) and "measured:", and the
count of failures for the exit status."""

failures = 0


def ok(text):
    print("ok: " + text, flush=True)


def fail(text):
    global failures
    failures += 1
    print("FAIL: " + text, flush=True)


def measured(text):
    print("measured: " + text, flush=True)


def check(condition, text):
    (ok if condition else fail)(text)
    return condition
