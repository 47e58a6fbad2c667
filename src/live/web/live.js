// Follows the meet: each new edition arrives on the update stream and replaces the figures
// in place, so the reader keeps their scroll position. The board shows one standing at a
// time (a long one a group of rows at a time), turning every few seconds (#turn=N in the
// address sets how many), says which of its pages is on screen, and names a club by its short
// name where its full name does not fit the column, turning through the meet's standings
// and then each category's. Where the meet ranks categories, the phone shows the standings
// of the one chosen (the meet's own at first), and keeps the choice as the figures change.
'use strict';
(function () {
  const live = document.getElementById('live');
  const board = document.body.classList.contains('board');
  const turnMatch = /turn=(\d+)/.exec(location.hash);
  const seconds = turnMatch ? Math.max(1, Number(turnMatch[1])) : 10;
  let turn = 0;
  let chosen = '';

  function shownVersion() {
    const edition = live.querySelector('.edition');
    return edition ? Number(edition.dataset.version) : 0;
  }

  function showTurn() {
    const slides = [];
    live.querySelectorAll('section.standing').forEach(function (section) {
      const groups = section.querySelectorAll('tbody');
      if (groups.length === 0)
        slides.push({ section: section, rows: null });
      groups.forEach(function (rows) { slides.push({ section: section, rows: rows }); });
    });
    const shown = slides[turn % slides.length];
    slides.forEach(function (slide) {
      slide.section.classList.toggle('shown', slide.section === shown.section);
      if (slide.rows)
        slide.rows.classList.toggle('shown', slide === shown);
    });
    const page = document.querySelector('header .turn');
    if (page && slides.length > 1)
      page.textContent = page.dataset.template.replace('%1', String(turn % slides.length + 1))
        .replace('%2', String(slides.length));
    shortenNames(shown.section);
  }

  function shortenNames(section) {
    section.querySelectorAll('td.club[data-short]').forEach(function (cell) {
      cell.classList.remove('short');
      const name = cell.querySelector('.name');
      if (name && name.offsetWidth > cell.clientWidth)
        cell.classList.add('short');
    });
  }

  // Only the chosen standings on show; the links at the top lead to them.
  function showCategory() {
    const pick = document.getElementById('categoria');
    if (!pick)
      return;
    pick.closest('.pick').hidden = false;
    pick.value = chosen;
    if (pick.value !== chosen) {
      chosen = '';
      pick.value = '';
    }
    live.querySelectorAll('section.standing').forEach(function (section) {
      section.hidden = (section.dataset.category || '') !== chosen;
    });
    const suffix = pick.selectedIndex > 0 ? '-' + pick.selectedIndex : '';
    document.querySelectorAll('nav.jump a').forEach(function (link) {
      const standing = /^#(masculina|feminina|conxunta)/.exec(link.getAttribute('href'));
      if (standing)
        link.setAttribute('href', '#' + standing[1] + suffix);
    });
  }

  if (!board) {
    live.addEventListener('change', function (event) {
      if (event.target.id !== 'categoria')
        return;
      chosen = event.target.value;
      showCategory();
    });
    showCategory();
  }

  if (board) {
    document.documentElement.classList.add('turning');
    showTurn();
    setInterval(function () { turn += 1; showTurn(); }, seconds * 1000);
  }

  // The league's page follows a stream of its own.
  const stream = new EventSource(document.body.dataset.events || '/events');
  stream.addEventListener('edition', function (message) {
    document.body.classList.remove('offline');
    const edition = JSON.parse(message.data);
    if (edition.version === shownVersion())
      return;
    // The markup comes from the server with every text escaped.
    live.innerHTML = edition.html;
    if (board)
      showTurn();
    else
      showCategory();
  });
  stream.addEventListener('error', function () {
    document.body.classList.add('offline');
  });
})();
