#!/usr/bin/env python3
"""The typical road with Orca: keys through xdotool, and what Orca says
read from its debug log (speech goes nowhere else).
orcaRoad.py TIVORO [TRANSCRIPT]; TIVORO_ORCA_KEEP=1 keeps the logs."""
import datetime, os, re, shutil, signal, subprocess, sys, tempfile, time

# (keys, text to type, words Orca says afterwards, in this order)
ROAD = [
    ('1 start window', '', '', ['Tivoro frame', 'Analyze video files push button']),
    ('', 'Tab', '', ['Set up recoding session push button']),
    ('', 'Tab', '', ['Open analyzed project push button']),
    ('', 'shift+Tab', '', ['Set up recoding session push button']),
    ('2 recording session window', 'space', '', ['Recording session frame', 'Camera calibration']),
    ('3 metadata', 'shift+Tab*5', '', ['More information']),
    ('', '', 'Two cameras', []),
    ('', 'ctrl+Tab', '', ['Calibrate using control points', 'radio button']),
    ('', 'shift+Tab', '', ['More information', 'Two cameras']),
    ('', 'ctrl+shift+Tab', '', ['Location text']),
    ('', '', 'Hall 2', []),
    ('', 'shift+Tab', '', ['Group name text']),
    ('', 'shift+Tab', '', ['Measurer text']),
    ('', 'shift+Tab', '', ['Recording name text']),
    ('', 'Tab*3', '', ['Location text', 'Hall']),
    ('', 'Tab', '', ['More information', 'Two cameras']),
    ('', 'ctrl+Tab', '', ['Calibrate using control points', 'radio button']),
    ('4 add camera dialog', 'Tab', '', ['Add new camera push button']),
    ('', 'space', '', ['Add camera dialog', 'USB Camera 1 combo box']),
    ('', 'Tab', '', ['Detected cameras', 'radio button']),
    ('', 'Down', '', ['Camera URL', 'radio button']),
    ('', 'Escape', '', ['Add new camera push button']),
    ('5 height slider, calibration', 'Tab*23', '', ['Height', 'slider', '0']),
    ('', 'Up', '', ['1']),
    ('', 'Up', '', ['2']),
    ('', 'shift+Tab*24', '', ['Calibrate using control points', 'radio button']),
    ('', 'space', '', ['selected']),
    ('6 camera picture and its menu', 'Tab*15', '', ['Camera image']),
    ('', 'Menu', '', []),  # no entry is preselected
    ('', 'Down', '', ['Add red control point']),
    ('', 'Down', '', ['Add blue control point']),
    ('', 'Down', '', ['Add yellow control point']),
    ('', 'Down', '', ['Add green control point']),
    ('', 'Down', '', ['Add orange control point']),
    ('', 'Down', '', ['Add purple control point']),
    ('', 'Escape', '', ['Camera image']),
    ('7 recording, graph', 'shift+Tab*11', '', ['Start recording push button']),
    ('', 'space', '', ['Stop recording']),
    ('', 'shift+Tab*2', '', ['Show graph push button']),
    ('', 'space', '', ['Show metadata']),
    ('', 'Tab*2', '', ['Stop recording push button']),
    ('', 'Tab*2', '', ['Activity check box']),
    ('', 'Tab', '', ['Count check box']),
    ('', 'Tab', '', ['Relative Time check box']),
    ('8 Tools > Settings with Alt', 'alt', '', ['File']),
    ('', 'Right', '', ['Tools']),
    ('', 'Down', '', ['Settings']),
    ('', 'Return', '', ['Settings dialog']),
    ('', 'Escape', '', ['Recording session frame']),
    # Down stays on the menu's only entry.
    ('  and with F10', 'F10', '', ['File']),
    ('', 'Right', '', ['Tools', 'Settings']),
    ('', 'Down', '', []),
    ('', 'Return', '', ['Settings dialog']),
    ('', 'Escape', '', ['Recording session frame']),
    ('', 'F10', '', ['File']),
    ('', 'Escape*2', '', ['Relative Time check box']),
]
WAIT = 5.0  # seconds for each step's words; the latencies are reported, not judged
# Orca keeps to one instance per user, but this one has its own X server and
# buses. Its debug file is line-buffered so that the words can be timed.
ORCA = '''import builtins, sys
g = {'__name__': 'launcher'}
exec(compile(open('/usr/bin/orca').read(), '/usr/bin/orca', 'exec'), g)
g.update(otherOrcas=list, setProcessName=lambda name: None, open=lambda *a, **k: builtins.open(*a, buffering=1, **k))
sys.exit(g['main']())'''


def fail(message):
    print('FAIL: ' + message, file=sys.stderr)
    sys.exit(1)


def main():
    """Runs the road in a D-Bus session of its own whose process group,
    everything the road starts, goes when it ends, however it ends."""
    tools = ['orca', 'openbox', 'xdotool', 'Xvfb', 'dbus-run-session', '/usr/libexec/at-spi-bus-launcher']
    missing = [t for t in tools if not shutil.which(t)]
    if missing:
        fail(' '.join(missing) + ' not found (bash scripts/deps test installs them)')
    work = tempfile.mkdtemp(prefix='tivoro-orca-')
    session = subprocess.Popen(['dbus-run-session', '--', sys.executable, __file__, '--inside', work] + sys.argv[1:],
                               start_new_session=True)
    signal.signal(signal.SIGTERM, lambda *_: sys.exit('FAIL: stopped'))
    try:
        return session.wait(timeout=480) or 0
    except subprocess.TimeoutExpired:
        fail('the road took more than 8 minutes')
    finally:
        for sig in (signal.SIGTERM, signal.SIGKILL):
            try:
                os.killpg(session.pid, sig)
            except ProcessLookupError:
                break
            wait_for(lambda: not group(session.pid), 3)
        session.wait()
        left = group(session.pid)
        if left:
            fail('processes of the road outlived it: %s' % left)
        if os.environ.get('TIVORO_ORCA_KEEP'):
            print('work folder kept: ' + work)
        else:
            shutil.rmtree(work, ignore_errors=True)


def group(pgid):
    out = []
    for entry in os.listdir('/proc'):
        try:
            with open('/proc/%s/stat' % entry) as f:
                fields = f.read().rsplit(')', 1)[1].split()
            if int(fields[2]) == pgid and fields[0] != 'Z':
                out.append(int(entry))
        except (OSError, ValueError, IndexError):
            pass
    return out


def inside(work, tivoro, transcript_file=None):
    env = os.environ  # xdotool needs the display too
    env.update(HOME=work, XDG_RUNTIME_DIR=work, XDG_CONFIG_HOME=work + '/config',
               XDG_DATA_HOME=work + '/data', XDG_CACHE_HOME=work + '/cache', GSETTINGS_BACKEND='memory',
               SPEECHD_CMD='/bin/false', LANGUAGE='en', LANG='C.UTF-8', LC_ALL='C.UTF-8')
    os.chmod(work, 0o700)
    # No reset when the last client leaves: that would drop the bus address the
    # launcher puts on the screen, and without it Qt 5 sometimes never joins
    # the accessibility bus.
    read_end, write_end = os.pipe()
    subprocess.Popen(['Xvfb', '-displayfd', str(write_end), '-screen', '0', '1920x1080x24', '-dpi', '96',
                      '-nolisten', 'tcp', '-noreset'], pass_fds=[write_end], stderr=open(work + '/xvfb.log', 'w'))
    os.close(write_end)
    env['DISPLAY'] = ':' + os.read(read_end, 16).decode().strip()

    def start(name, args, **kw):
        return subprocess.Popen(args, stdout=subprocess.DEVNULL,
                                stderr=open('%s/%s.log' % (work, name), 'w'), **kw)

    start('openbox', ['openbox'])
    # Orca must not ask for the bus before the launcher has its name, or D-Bus
    # starts a second launcher.
    start('at-spi', ['/usr/libexec/at-spi-bus-launcher', '--launch-immediately'])
    owned = ['dbus-send', '--session', '--print-reply', '--dest=org.freedesktop.DBus', '/org/freedesktop/DBus',
             'org.freedesktop.DBus.NameHasOwner', 'string:org.a11y.Bus']
    if not wait_for(lambda: 'true' in subprocess.run(owned, capture_output=True, text=True).stdout, 30):
        fail('the accessibility bus launcher did not start within 30 s')
    log, app_log = work + '/orca.log', work + '/tivoro.log'
    for attempt in (1, 2):
        orca = start('orca', ['/usr/bin/python3', '-c', ORCA, '--disable', 'braille', '--debug-file', log])
        if wait_for(lambda: 'ORCA: Starting registry' in read(log), 30):
            break
        orca.kill()
        print('Orca did not start within 30 s (attempt %d); its log ends:\n%s' % (attempt, read(log)[-2000:]))
    else:
        fail('Orca could not be started')
    start('tivoro', [tivoro], env=dict(env, QT_QPA_PLATFORM='xcb', QT_ACCESSIBILITY='1', QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1'))
    result = play(log, transcript_file)
    if read(app_log):
        print('The program wrote:\n' + read(app_log))
    return result


def read(path):
    try:
        with open(path, errors='replace') as f:
            return f.read()
    except FileNotFoundError:
        return ''


def wait_for(condition, seconds):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        value = condition()
        if value:
            return value
        time.sleep(0.05)
    return condition()


def settled():
    """The window manager has made the window with the keyboard focus the
    active one: a key pressed while a closed window's focus is still on its
    way can land in a menu that the late focus change then closes."""
    ids = [subprocess.run(['xdotool', c], capture_output=True, text=True).stdout for c in ('getactivewindow', 'getwindowfocus')]
    return ids[0].strip() and ids[0] == ids[1]


SPEECH = re.compile(r"^(\d\d):(\d\d):(\d\d\.\d+) - SPEECH OUTPUT: '(.*?)'(?: voice=\w+)? ?\{", re.M)
KEYS = re.compile(r'type=ATSPI_KEY_PRESSED_EVENT\n.*?event_string=\((.*?)\).*?time=([\d.]+)', re.S)
FOCUS = re.compile(r'EVENT MANAGER: focus: for (.*) in \[application')


def speech(log):
    today = datetime.date.today()
    out = []
    for h, m, s, text in SPEECH.findall(read(log)):
        sec = float(s)
        t = datetime.datetime.combine(today, datetime.time(int(h), int(m), int(sec), int((sec % 1) * 1e6)))
        out.append((t.timestamp(), text))
    return out


def play(log, transcript_file):
    lines, latencies, seen, failure = [], [], 0, None
    for title, keys, text, words in ROAD:
        if title:
            lines.append('== ' + title)
        wait_for(settled, WAIT)
        key, _, count = keys.partition('*')
        pressed = started = time.time()
        for i in range(int(count or 1) if key else 0):
            time.sleep(0.15 if i else 0)  # as a quick hand types; the announcement is that of the last
            pressed = time.time()
            subprocess.run(['xdotool', 'key', key], check=True)
        if text:
            subprocess.run(['xdotool', 'type', '--delay', '60', text], check=True)
        lines.append('-- ' + ' '.join(filter(None, [keys.strip(), text and 'type "%s"' % text])))
        at, first = seen, None
        for word in words:  # in order, several may be in one utterance
            found = wait_for(lambda: [i for i, (t, said) in enumerate(speech(log))
                                      if i >= at and t >= pressed - 0.01 and word.lower() in said.lower()], WAIT)
            if not found:
                failure = '%s: Orca never said "%s"' % (lines[-1], word)
                break
            at = found[0]
            first = first or speech(log)[at][0]
        if not words or failure:
            time.sleep(1)
        end = len(speech(log)) if not words or failure else at + 1
        lines += ['   %+.3f s  %s' % (t - pressed, said) for t, said in speech(log)[seen:end]]
        seen = end
        if failure:  # what Orca was told since the keys: whether they arrived, where the focus went
            got = [k for k, t in KEYS.findall(read(log)) if float(t) >= started - 0.05]
            lines.append('   keys Orca received since: %s; the focus Orca was last told of: %s'
                         % (' '.join(got) or 'none', (FOCUS.findall(read(log)) or ['none'])[-1]))
            break  # the rest of the road starts from the wrong place
        if first is not None and keys:
            latencies.append(first - pressed)
    if latencies:
        figures = sorted(latencies)
        lines.append('latency from key to first expected words: median %.3f s, max %.3f s, over 0.5 s: %d of %d'
                     % (figures[len(figures) // 2], figures[-1], sum(f > 0.5 for f in figures), len(figures)))
    transcript = '\n'.join(lines)
    print(transcript)
    if transcript_file:
        with open(transcript_file, 'w') as f:
            f.write(transcript + '\n')
    if failure:
        print('FAIL: ' + failure, file=sys.stderr)
    return 1 if failure else 0


if __name__ == '__main__':
    sys.exit(inside(*sys.argv[2:]) if sys.argv[1:2] == ['--inside'] else main())
