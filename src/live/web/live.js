// Follows the meet: each new edition arrives on the update stream and replaces the figures
// in place, so the reader keeps their scroll position. The board shows one standing at a
// time, turning every few seconds (#turn=N in the address sets how many).
'use strict';
(function () {
  const live = document.getElementById('live');
  const board = document.body.classList.contains('board');
  const turnMatch = /turn=(\d+)/.exec(location.hash);
  const seconds = turnMatch ? Math.max(1, Number(turnMatch[1])) : 10;
  let turn = 0;

  function shownVersion() {
    const edition = live.querySelector('.edition');
    return edition ? Number(edition.dataset.version) : 0;
  }

  function showTurn() {
    const standings = live.querySelectorAll('section.standing');
    standings.forEach(function (section, index) {
      section.classList.toggle('shown', index === turn % standings.length);
    });
  }

  if (board) {
    document.documentElement.classList.add('turning');
    showTurn();
    setInterval(function () { turn += 1; showTurn(); }, seconds * 1000);
  }

  const stream = new EventSource('/events');
  stream.addEventListener('edition', function (message) {
    document.body.classList.remove('offline');
    const edition = JSON.parse(message.data);
    if (edition.version === shownVersion())
      return;
    // The markup comes from the server with every text escaped.
    live.innerHTML = edition.html;
    if (board)
      showTurn();
  });
  stream.addEventListener('error', function () {
    document.body.classList.add('offline');
  });
})();
